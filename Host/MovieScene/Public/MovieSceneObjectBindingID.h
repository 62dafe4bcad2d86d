// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "MovieSceneSequenceID.h"

namespace UE::Host
{
	struct FObjectBindingIDAccess;
}

namespace UE::MovieScene
{
	// A binding addressed relative to the sequence that asks: its GUID, the sequence that holds
	// it as seen from there, and how many parents up to start.
	struct FRelativeObjectBindingID
	{
		FRelativeObjectBindingID(const FGuid& InGuid) : Guid(InGuid), SequenceID(MovieSceneSequenceID::Root) {}
		FRelativeObjectBindingID(const FGuid& InGuid, FMovieSceneSequenceID InSequenceID) : Guid(InGuid), SequenceID(InSequenceID) {}
		FRelativeObjectBindingID(const FGuid& InGuid, FMovieSceneSequenceID InSequenceID, int32 InResolveParentIndex)
			: Guid(InGuid), SequenceID(InSequenceID), ResolveParentIndex(InResolveParentIndex)
		{
		}

		FGuid Guid;
		FMovieSceneSequenceID SequenceID;
		int32 ResolveParentIndex = 0;
	};

	// A binding addressed from the root of the hierarchy.
	struct FFixedObjectBindingID
	{
		FFixedObjectBindingID(const FGuid& InGuid, FMovieSceneSequenceID InSequenceID) : Guid(InGuid), SequenceID(InSequenceID) {}

		FGuid Guid;
		FMovieSceneSequenceID SequenceID;
	};
}

// A reference to an object binding, either fixed (from the root) or relative to the asking sequence.
struct FMovieSceneObjectBindingID
{
	// An invalid GUID in the root sequence, fixed.
	FMovieSceneObjectBindingID() = default;
	FMovieSceneObjectBindingID(const UE::MovieScene::FRelativeObjectBindingID& In)
		: Guid(In.Guid), SequenceID(static_cast<int32>(In.SequenceID.GetInternalValue())), ResolveParentIndex(In.ResolveParentIndex)
	{
	}
	FMovieSceneObjectBindingID(const UE::MovieScene::FFixedObjectBindingID& In)
		: Guid(In.Guid), SequenceID(static_cast<int32>(In.SequenceID.GetInternalValue())), ResolveParentIndex(FixedIndex)
	{
	}

	// The binding's GUID within its sequence.
	const FGuid& GetGuid() const { return Guid; }
	// The sequence holding the binding, relative to the resolving (or root) sequence.
	FMovieSceneSequenceID GetRelativeSequenceID() const { return FMovieSceneSequenceID(static_cast<uint32>(SequenceID)); }
	// True when the GUID is valid.
	bool IsValid() const { return Guid.IsValid(); }

private:
	friend struct UE::Host::FObjectBindingIDAccess;

	static constexpr int32 FixedIndex = INDEX_NONE;

	FGuid Guid;
	int32 SequenceID = 0;
	int32 ResolveParentIndex = FixedIndex;
};
