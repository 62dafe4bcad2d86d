// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "MovieSceneBindingReferences.h"
#include "MovieSceneSequence.h"
#include "UObject/ObjectPtr.h"

class UMovieScene;

namespace UE::Host
{
	struct FLevelSequenceAccess;
}

// A sequence that animates objects of a level, found again through its binding references.
class ULevelSequence : public UMovieSceneSequence
{
public:
	// The sequence's movie scene; null for a sequence that has none.
	TObjectPtr<UMovieScene> MovieScene;

	// The movie scene above.
	LEVELSEQUENCE_API virtual UMovieScene* GetMovieScene() const override;
	// The sequence's binding references.
	LEVELSEQUENCE_API virtual const FMovieSceneBindingReferences* GetBindingReferences() const override;
	// Gives a new sequence its (empty) movie scene.
	LEVELSEQUENCE_API void Initialize();
	// Adds a reference that finds PossessedObject again from Context (the world for an actor, the
	// parent binding's object for a component) to the binding's references.
	LEVELSEQUENCE_API virtual void BindPossessableObject(const FGuid& ObjectId, UObject& PossessedObject, UObject* Context);

protected:
	FMovieSceneBindingReferences BindingReferences;

private:
	friend struct UE::Host::FLevelSequenceAccess;

	bool bExposesBindingReferences = true;
};
