// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

// Identifies a sequence inside a sequence hierarchy; 0 is the root, all bits set is invalid.
struct FMovieSceneSequenceID
{
	constexpr FMovieSceneSequenceID() = default;
	constexpr explicit FMovieSceneSequenceID(uint32 InValue) : Value(InValue) {}

	uint32 GetInternalValue() const { return Value; }
	bool IsValid() const { return Value != uint32(-1); }

	friend bool operator==(FMovieSceneSequenceID Lhs, FMovieSceneSequenceID Rhs) { return Lhs.Value == Rhs.Value; }
	friend bool operator!=(FMovieSceneSequenceID Lhs, FMovieSceneSequenceID Rhs) { return Lhs.Value != Rhs.Value; }
	friend bool operator<(FMovieSceneSequenceID Lhs, FMovieSceneSequenceID Rhs) { return Lhs.Value < Rhs.Value; }
	friend uint32 GetTypeHash(FMovieSceneSequenceID In) { return GetTypeHash(In.Value); }

private:
	uint32 Value = uint32(-1);
};

namespace MovieSceneSequenceID
{
	inline constexpr FMovieSceneSequenceID Invalid(uint32(-1));
	inline constexpr FMovieSceneSequenceID Root(0U);
}
