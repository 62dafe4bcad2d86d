// Copyright Vantle contributors. All Rights Reserved.
// Scene text parsed into JSON values that remember where in the text they start, so that every
// error can point at its line and column.
#pragma once

#include "CoreMinimal.h"

#include <string>
#include <string_view>
#include <vector>

namespace UE::Host::Scene
{
	struct FJsonMember;

	struct FJsonValue
	{
		enum class EKind : uint8
		{
			Null,
			Bool,
			Number,
			String,
			Array,
			Object,
		};

		EKind Kind = EKind::Null;
		bool bBool = false;
		// UTF-8 text of a string, or the literal text of a number.
		std::string Text;
		std::vector<FJsonValue> Elements;
		std::vector<FJsonMember> Members;
		// Byte offset of the value's first character.
		size_t Offset = 0;

		const FJsonMember* FindMember(std::string_view Key) const;
	};

	struct FJsonMember
	{
		std::string Key;
		size_t KeyOffset = 0;
		FJsonValue Value;
	};

	// "line:column" of a byte offset: 1-based, columns counted in characters.
	FString DescribePosition(std::string_view Text, size_t Offset);

	// Parses UTF-8 JSON text (no byte-order mark). Duplicate keys, nesting deeper than
	// MaxSceneNestingDepth and more than MaxSceneValueCount values are errors. On failure OutError
	// is "line:column: message".
	bool ParseJson(std::string_view Text, FJsonValue& OutRoot, FString& OutError);
}
