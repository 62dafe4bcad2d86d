// Copyright Vantle contributors. All Rights Reserved.
#include "Dom/JsonValue.h"

#include "Dom/JsonObject.h"
#include "JsonGlobals.h"

#include <cmath>
#include <limits>

DEFINE_LOG_CATEGORY(LogJson);

namespace
{
	const TArray<TSharedPtr<FJsonValue>>& EmptyArray()
	{
		static const TArray<TSharedPtr<FJsonValue>>* Empty = new TArray<TSharedPtr<FJsonValue>>();
		return *Empty;
	}

	// The engine hands out a valid, empty object when a value is used as an object it is not.
	const TSharedPtr<FJsonObject>& EmptyObject()
	{
		static const TSharedPtr<FJsonObject>* Empty = new TSharedPtr<FJsonObject>(MakeShared<FJsonObject>());
		return *Empty;
	}

	// Rounds half away from zero into T; false when the number is not finite or out of T's range.
	template <typename T> bool ConvertNumber(const FJsonValue& Value, T& OutNumber)
	{
		double Number = 0.0;
		if (!Value.TryGetNumber(Number) || !std::isfinite(Number))
		{
			return false;
		}
		const double Rounded = std::round(Number);
		// The upper bound is exclusive: 2^63 (and 2^32) are exactly representable, the maxima are not.
		const double Upper = std::ldexp(1.0, std::numeric_limits<T>::digits);
		if (Rounded < static_cast<double>(std::numeric_limits<T>::min()) || Rounded >= Upper)
		{
			return false;
		}
		OutNumber = static_cast<T>(Rounded);
		return true;
	}

	// Set while a release is draining, so nested releases queue instead of recursing.
	thread_local TArray<TSharedPtr<FJsonValue>>* GPendingRelease = nullptr;
}

namespace UE::Json::Private
{
	void ReleaseValues(TArray<TSharedPtr<FJsonValue>>& Values)
	{
		if (GPendingRelease)
		{
			for (TSharedPtr<FJsonValue>& Value : Values)
			{
				if (Value.IsValid())
				{
					GPendingRelease->Add(std::move(Value));
				}
			}
			Values.Empty();
			return;
		}

		TArray<TSharedPtr<FJsonValue>> Pending = std::move(Values);
		Values.Empty();
		GPendingRelease = &Pending;
		while (!Pending.IsEmpty())
		{
			// Destroying the last reference may append that value's own children to Pending.
			TSharedPtr<FJsonValue> Value = Pending.Pop();
			Value.Reset();
		}
		GPendingRelease = nullptr;
	}
}

FJsonValueArray::~FJsonValueArray()
{
	UE::Json::Private::ReleaseValues(Value);
}

void FJsonValue::ErrorMessage(const TCHAR* InType) const
{
	UE_LOG(LogJson, Error, TEXT("Json Value of type '%s' used as a '%s'."), *GetType(), InType);
}

double FJsonValue::AsNumber() const
{
	double Number = 0.0;
	if (!TryGetNumber(Number))
	{
		ErrorMessage(TEXT("Number"));
	}
	return Number;
}

FString FJsonValue::AsString() const
{
	FString String;
	if (!TryGetString(String))
	{
		ErrorMessage(TEXT("String"));
	}
	return String;
}

bool FJsonValue::AsBool() const
{
	bool bBool = false;
	if (!TryGetBool(bBool))
	{
		ErrorMessage(TEXT("Boolean"));
	}
	return bBool;
}

const TArray<TSharedPtr<FJsonValue>>& FJsonValue::AsArray() const
{
	const TArray<TSharedPtr<FJsonValue>>* Array = &EmptyArray();
	if (!TryGetArray(Array))
	{
		ErrorMessage(TEXT("Array"));
		return EmptyArray();
	}
	return *Array;
}

const TSharedPtr<FJsonObject>& FJsonValue::AsObject() const
{
	const TSharedPtr<FJsonObject>* Object = &EmptyObject();
	if (!TryGetObject(Object))
	{
		ErrorMessage(TEXT("Object"));
		return EmptyObject();
	}
	return *Object;
}

bool FJsonValue::TryGetNumber(float& OutNumber) const
{
	double Number = 0.0;
	if (!TryGetNumber(Number))
	{
		return false;
	}
	// Out-of-range doubles become infinities rather than an undefined narrowing.
	const double Limit = std::numeric_limits<float>::max();
	OutNumber = Number > Limit	  ? std::numeric_limits<float>::infinity()
				: Number < -Limit ? -std::numeric_limits<float>::infinity()
								  : static_cast<float>(Number);
	return true;
}

bool FJsonValue::TryGetNumber(int32& OutNumber) const
{
	return ConvertNumber(*this, OutNumber);
}

bool FJsonValue::TryGetNumber(uint32& OutNumber) const
{
	return ConvertNumber(*this, OutNumber);
}

bool FJsonValue::TryGetNumber(int64& OutNumber) const
{
	return ConvertNumber(*this, OutNumber);
}

bool FJsonValueString::TryGetNumber(double& OutNumber) const
{
	if (!Value.IsNumeric())
	{
		return false;
	}
	OutNumber = FCString::Atod(*Value);
	return true;
}

bool FJsonValueString::TryGetBool(bool& OutBool) const
{
	if (Value.Equals(TEXT("true"), ESearchCase::IgnoreCase))
	{
		OutBool = true;
		return true;
	}
	if (Value.Equals(TEXT("false"), ESearchCase::IgnoreCase))
	{
		OutBool = false;
		return true;
	}
	return false;
}

bool FJsonValueNumber::TryGetString(FString& OutString) const
{
	OutString = FString::SanitizeFloat(Value, 0);
	return true;
}
