// Copyright Vantle contributors. All Rights Reserved.
#include "LevelSequence.h"

#include "HostLevelSequence.h"
#include "HostUniversalObjectLocator.h"
#include "MovieScene.h"

namespace UE::Host
{
	struct FLevelSequenceAccess
	{
		static FMovieSceneBindingReferences& Stored(ULevelSequence& Sequence) { return Sequence.BindingReferences; }
		static const FMovieSceneBindingReferences& Stored(const ULevelSequence& Sequence) { return Sequence.BindingReferences; }
		static void SetExposes(ULevelSequence& Sequence, bool bExposes) { Sequence.bExposesBindingReferences = bExposes; }
	};
}

UMovieScene* ULevelSequence::GetMovieScene() const
{
	return MovieScene.Get();
}

const FMovieSceneBindingReferences* ULevelSequence::GetBindingReferences() const
{
	return bExposesBindingReferences ? &BindingReferences : nullptr;
}

namespace UE::Host
{
	FMovieSceneBindingReferences& GetStoredBindingReferences(ULevelSequence& Sequence)
	{
		return FLevelSequenceAccess::Stored(Sequence);
	}

	const FMovieSceneBindingReferences& GetStoredBindingReferences(const ULevelSequence& Sequence)
	{
		return FLevelSequenceAccess::Stored(Sequence);
	}

	void SetExposesBindingReferences(ULevelSequence& Sequence, bool bExposes)
	{
		FLevelSequenceAccess::SetExposes(Sequence, bExposes);
	}

	void ResolveBinding(const ULevelSequence& Sequence, const FGuid& ObjectId, const UObject* Context, TArray<UObject*>& OutObjects)
	{
		if (!Context)
		{
			return;
		}
		for (const FMovieSceneBindingReference& Reference : FLevelSequenceAccess::Stored(Sequence).GetReferences(ObjectId))
		{
			if (UObject* Object = ResolveLocator(Reference.Locator, Context))
			{
				OutObjects.Add(Object);
			}
		}
	}
}
