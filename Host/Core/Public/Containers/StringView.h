// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/StringFwd.h"

#include <string_view>

// Non-owning view of characters; FString converts to it implicitly, as in the engine.
template <typename CharType>
class TStringView
{
public:
	TStringView() = default;
	TStringView(const CharType* InData) : View(InData ? std::basic_string_view<CharType>(InData) : std::basic_string_view<CharType>()) {}
	TStringView(const CharType* InData, int32 InLen) : View(InData, InLen) {}
	TStringView(std::basic_string_view<CharType> InView) : View(InView) {}

	const CharType* GetData() const { return View.data(); }
	int32 Len() const { return static_cast<int32>(View.size()); }
	bool IsEmpty() const { return View.empty(); }
	CharType operator[](int32 Index) const { return View[Index]; }
	const CharType* begin() const { return View.data(); }
	const CharType* end() const { return View.data() + View.size(); }
	std::basic_string_view<CharType> ToStd() const { return View; }

private:
	std::basic_string_view<CharType> View;
};
