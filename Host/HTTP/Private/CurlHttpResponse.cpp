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

uint64 FCurlHttpResponse::GetContentLength() const
{
	const FString Value = Headers.Get(TEXT("Content-Length")).TrimStartAndEnd();
	if (Value.IsEmpty() || !Value.IsNumeric() || Value[0] == u'-')
	{
		return 0;
	}
	const int64 Parsed = FCString::Atoi64(*Value);
	return Parsed > 0 ? static_cast<uint64>(Parsed) : 0;
}
