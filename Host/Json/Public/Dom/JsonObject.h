// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Map.h"
#include "Containers/StringView.h"
#include "Dom/JsonValue.h"

// A JSON object: named values. Field names compare and hash without regard to case, as the
// engine's string keys do.
class FJsonObject
{
public:
	TMap<FString, TSharedPtr<FJsonValue>> Values;

	FJsonObject() = default;
	FJsonObject(const FJsonObject&) = default;
	FJsonObject& operator=(const FJsonObject&) = default;
	JSON_API ~FJsonObject();

	// The field when it exists and has the kind (any kind for EJson::None); otherwise a warning log
	// and a shared null value.
	template <EJson JsonType> const TSharedPtr<FJsonValue>& GetField(FStringView FieldName) const { return GetFieldOfType(FieldName, JsonType); }
	// The field, or null when there is none.
	JSON_API TSharedPtr<FJsonValue> TryGetField(FStringView FieldName) const;
	// True when the field exists.
	JSON_API bool HasField(FStringView FieldName) const;
	// True when the field exists and is of exactly that kind (an empty object counts as an Object).
	template <EJson JsonType> bool HasTypedField(FStringView FieldName) const
	{
		const TSharedPtr<FJsonValue>* Field = Values.Find(FString(FieldName));
		return Field && Field->IsValid() && (*Field)->Type == JsonType;
	}
	// Adds the field or replaces its value.
	JSON_API void SetField(FStringView FieldName, const TSharedPtr<FJsonValue>& Value);

	// Typed reads, coercing as FJsonValue does; false when the field is missing or does not fit.
	JSON_API bool TryGetStringField(FStringView FieldName, FString& OutString) const;
	JSON_API bool TryGetNumberField(FStringView FieldName, double& OutNumber) const;
	JSON_API bool TryGetNumberField(FStringView FieldName, int32& OutNumber) const;
	JSON_API bool TryGetNumberField(FStringView FieldName, int64& OutNumber) const;
	JSON_API bool TryGetArrayField(FStringView FieldName, const TArray<TSharedPtr<FJsonValue>>*& OutArray) const;
	JSON_API bool TryGetObjectField(FStringView FieldName, const TSharedPtr<FJsonObject>*& OutObject) const;

	// Typed reads that log and return an empty value when the field is missing or does not fit.
	JSON_API FString GetStringField(FStringView FieldName) const;
	JSON_API double GetNumberField(FStringView FieldName) const;
	JSON_API bool GetBoolField(FStringView FieldName) const;
	JSON_API const TArray<TSharedPtr<FJsonValue>>& GetArrayField(FStringView FieldName) const;
	JSON_API const TSharedPtr<FJsonObject>& GetObjectField(FStringView FieldName) const;

	// Typed writes: add the field or replace its value.
	JSON_API void SetStringField(FStringView FieldName, const FString& StringValue);
	JSON_API void SetNumberField(FStringView FieldName, double Number);
	JSON_API void SetBoolField(FStringView FieldName, bool InValue);
	JSON_API void SetArrayField(FStringView FieldName, const TArray<TSharedPtr<FJsonValue>>& Array);
	JSON_API void SetObjectField(FStringView FieldName, const TSharedPtr<FJsonObject>& JsonObject);

private:
	JSON_API const TSharedPtr<FJsonValue>& GetFieldOfType(FStringView FieldName, EJson JsonType) const;
};
