// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/StringFwd.h"

#include <concepts>
#include <string_view>
#include <type_traits>

namespace UE::Host::StringViewPrivate
{
	// Outside the class: its own GetData() would hide the range's free GetData from lookup.
	template <typename CharRangeType>
	auto RangeData(const CharRangeType& Range) -> decltype(GetData(Range)) { return GetData(Range); }
	template <typename CharRangeType>
	auto RangeNum(const CharRangeType& Range) -> decltype(GetNum(Range)) { return GetNum(Range); }
}

// Non-owning view of characters; any contiguous range of them (FString) converts to it implicitly
// through the range constructor, as in the engine.
template <typename CharType>
class TStringView
{
public:
	TStringView() = default;
	TStringView(const CharType* InData) : View(InData ? std::basic_string_view<CharType>(InData) : std::basic_string_view<CharType>()) {}
	TStringView(const CharType* InData, int32 InLen) : View(InData, InLen) {}
	TStringView(std::basic_string_view<CharType> InView) : View(InView) {}
	template <typename CharRangeType>
		requires(!std::is_pointer_v<std::decay_t<CharRangeType>> && !std::is_same_v<std::decay_t<CharRangeType>, TStringView>
			&& requires(const CharRangeType& Range) {
				{ UE::Host::StringViewPrivate::RangeData(Range) } -> std::convertible_to<const CharType*>;
				{ UE::Host::StringViewPrivate::RangeNum(Range) } -> std::convertible_to<int32>;
			})
	TStringView(const CharRangeType& InRange)
		: View(UE::Host::StringViewPrivate::RangeData(InRange), UE::Host::StringViewPrivate::RangeNum(InRange))
	{
	}

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
