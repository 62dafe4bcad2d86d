// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "Containers/UnrealString.h"
#include "Serialization/JsonTypes.h"
#include "Templates/SharedPointer.h"

class FJsonObject;

// A JSON value. The typed accessors coerce between kinds where the engine's do; the As* forms log
// an error and return an empty value when the kind does not fit.
class FJsonValue
{
public:
	virtual ~FJsonValue() = default;

	// Number of a Number (or a numeric String / Boolean); 0 and an error log otherwise.
	JSON_API double AsNumber() const;
	// Text of a String, Number or Boolean; empty and an error log otherwise.
	JSON_API FString AsString() const;
	// Truth of a Boolean (or a non-zero Number); false and an error log otherwise.
	JSON_API bool AsBool() const;
	// Elements of an Array; a shared empty array and an error log otherwise.
	JSON_API const TArray<TSharedPtr<FJsonValue>>& AsArray() const;
	// Object of an Object; a shared empty object and an error log otherwise.
	JSON_API const TSharedPtr<FJsonObject>& AsObject() const;

	// Coercing reads: true when this value can be read as the requested kind.
	virtual bool TryGetNumber(double& OutNumber) const { return false; }
	JSON_API bool TryGetNumber(float& OutNumber) const;
	JSON_API bool TryGetNumber(int32& OutNumber) const;
	JSON_API bool TryGetNumber(uint32& OutNumber) const;
	JSON_API bool TryGetNumber(int64& OutNumber) const;
	virtual bool TryGetString(FString& OutString) const { return false; }
	virtual bool TryGetBool(bool& OutBool) const { return false; }
	virtual bool TryGetArray(const TArray<TSharedPtr<FJsonValue>>*& OutArray) const { return false; }
	virtual bool TryGetObject(const TSharedPtr<FJsonObject>*& OutObject) const { return false; }

	EJson Type = EJson::None;

protected:
	FJsonValue() = default;
	virtual FString GetType() const = 0;
	JSON_API void ErrorMessage(const TCHAR* InType) const;
};

class FJsonValueString : public FJsonValue
{
public:
	using FJsonValue::TryGetNumber;

	explicit FJsonValueString(const FString& InString) : Value(InString) { Type = EJson::String; }
	explicit FJsonValueString(FString&& InString) : Value(std::move(InString)) { Type = EJson::String; }

	bool TryGetString(FString& OutString) const override
	{
		OutString = Value;
		return true;
	}
	// Numeric text reads as a number, as the engine's string value does.
	JSON_API bool TryGetNumber(double& OutNumber) const override;
	// "true" / "false" in any case read as a bool.
	JSON_API bool TryGetBool(bool& OutBool) const override;
	bool IsEmpty() const { return Value.IsEmpty(); }

protected:
	FString GetType() const override { return TEXT("String"); }
	FString Value;
};

class FJsonValueNumber : public FJsonValue
{
public:
	using FJsonValue::TryGetNumber;

	explicit FJsonValueNumber(double InNumber) : Value(InNumber) { Type = EJson::Number; }

	bool TryGetNumber(double& OutNumber) const override
	{
		OutNumber = Value;
		return true;
	}
	// The number's shortest text without a trailing ".0" (2.0 reads as "2").
	JSON_API bool TryGetString(FString& OutString) const override;
	bool TryGetBool(bool& OutBool) const override
	{
		OutBool = Value != 0.0;
		return true;
	}

protected:
	FString GetType() const override { return TEXT("Number"); }
	double Value;
};

class FJsonValueBoolean : public FJsonValue
{
public:
	using FJsonValue::TryGetNumber;

	explicit FJsonValueBoolean(bool InBool) : Value(InBool) { Type = EJson::Boolean; }

	bool TryGetNumber(double& OutNumber) const override
	{
		OutNumber = Value ? 1.0 : 0.0;
		return true;
	}
	bool TryGetString(FString& OutString) const override
	{
		OutString = Value ? TEXT("true") : TEXT("false");
		return true;
	}
	bool TryGetBool(bool& OutBool) const override
	{
		OutBool = Value;
		return true;
	}

protected:
	FString GetType() const override { return TEXT("Boolean"); }
	bool Value;
};

class FJsonValueNull : public FJsonValue
{
public:
	FJsonValueNull() { Type = EJson::Null; }

protected:
	FString GetType() const override { return TEXT("Null"); }
};

class FJsonValueArray : public FJsonValue
{
public:
	explicit FJsonValueArray(const TArray<TSharedPtr<FJsonValue>>& InArray) : Value(InArray) { Type = EJson::Array; }
	explicit FJsonValueArray(TArray<TSharedPtr<FJsonValue>>&& InArray) : Value(std::move(InArray)) { Type = EJson::Array; }
	JSON_API ~FJsonValueArray() override;

	bool TryGetArray(const TArray<TSharedPtr<FJsonValue>>*& OutArray) const override
	{
		OutArray = &Value;
		return true;
	}

protected:
	FString GetType() const override { return TEXT("Array"); }
	TArray<TSharedPtr<FJsonValue>> Value;
};

class FJsonValueObject : public FJsonValue
{
public:
	explicit FJsonValueObject(TSharedPtr<FJsonObject> InObject) : Value(std::move(InObject)) { Type = EJson::Object; }

	bool TryGetObject(const TSharedPtr<FJsonObject>*& OutObject) const override
	{
		OutObject = &Value;
		return true;
	}

protected:
	FString GetType() const override { return TEXT("Object"); }
	TSharedPtr<FJsonObject> Value;
};

namespace UE::Json::Private
{
	// Drops the values' references. Nested arrays and objects released from inside a release are
	// queued instead of destroyed recursively, so freeing a deep tree uses constant stack.
	JSON_API void ReleaseValues(TArray<TSharedPtr<FJsonValue>>& Values);
}
