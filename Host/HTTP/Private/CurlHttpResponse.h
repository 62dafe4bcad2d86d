// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HttpHeaders.h"
#include "Interfaces/IHttpResponse.h"

// A finished response; immutable once the worker has built it, so any thread may read it.
class FCurlHttpResponse : public IHttpResponse
{
public:
	FCurlHttpResponse(const FString& InURL, const FString& InEffectiveURL, int32 InResponseCode, FHttpHeaders&& InHeaders, TArray<uint8>&& InContent);

	int32 GetResponseCode() const override { return ResponseCode; }
	FString GetContentAsString() const override;

	const FString& GetURL() const override { return URL; }
	const FString& GetEffectiveURL() const override { return EffectiveURL; }
	FString GetHeader(const FString& HeaderName) const override { return Headers.Get(HeaderName); }
	FString GetContentType() const override { return Headers.Get(TEXT("Content-Type")); }
	const TArray<uint8>& GetContent() const override { return Content; }
	EHttpRequestStatus::Type GetStatus() const override { return EHttpRequestStatus::Succeeded; }
	EHttpFailureReason GetFailureReason() const override { return EHttpFailureReason::None; }

private:
	FString URL;
	FString EffectiveURL;
	int32 ResponseCode;
	FHttpHeaders Headers;
	TArray<uint8> Content;
};
