// Copyright Vantle contributors. All Rights Reserved.
#include "CurlHttpResponse.h"

#include <string_view>

FCurlHttpResponse::FCurlHttpResponse(const FString& InURL, const FString& InEffectiveURL, int32 InResponseCode, FHttpHeaders&& InHeaders,
									 TArray<uint8>&& InContent)
	: URL(InURL), EffectiveURL(InEffectiveURL), ResponseCode(InResponseCode), Headers(std::move(InHeaders)), Content(std::move(InContent))
{
}

FString FCurlHttpResponse::GetContentAsString() const
{
	// The body is not NUL-terminated and may contain NULs; its length decides.
	return UE::Host::FromUtf8(std::string_view(reinterpret_cast<const char*>(Content.GetData()), static_cast<size_t>(Content.Num())));
}
