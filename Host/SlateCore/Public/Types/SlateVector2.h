// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Math/Vector2D.h"

namespace UE::Slate
{
	// Size parameters take both vector precisions, as the engine's deprecation wrapper does.
	struct FDeprecateVector2DParameter : public FVector2f
	{
		FDeprecateVector2DParameter() = default;
		FDeprecateVector2DParameter(float InX, float InY) : FVector2f(InX, InY) {}
		FDeprecateVector2DParameter(const FVector2f& In) : FVector2f(In) {}
		FDeprecateVector2DParameter(const FVector2D& In) : FVector2f(static_cast<float>(In.X), static_cast<float>(In.Y)) {}
	};
}
