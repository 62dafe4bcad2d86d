// Copyright Vantle contributors. All Rights Reserved.
#include "HttpServerResponse.h"

TUniquePtr<FHttpServerResponse> FHttpServerResponse::Create(const FString& Text, const FString& ContentType)
{
	TUniquePtr<FHttpServerResponse> Response = MakeUnique<FHttpServerResponse>();
	Response->Code = EHttpServerResponseCodes::Ok;
	const FTCHARToUTF8 Utf8(*Text, Text.Len());
	Response->Body.Append(reinterpret_cast<const uint8*>(Utf8.Get()), Utf8.Length());
	Response->Headers.Add(TEXT("content-type"), TArray<FString>{ContentType});
	return Response;
}
