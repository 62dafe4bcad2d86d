// Copyright Vantle contributors. All Rights Reserved.
#include "Dom/JsonObject.h"

#include "JsonGlobals.h"

namespace
{
	const TSharedPtr<FJsonValue>& SharedNullValue()
	{
		static const TSharedPtr<FJsonValue>* Null = new TSharedPtr<FJsonValue>(MakeShared<FJsonValueNull>());
		return *Null;
	}
}

FJsonObject::~FJsonObject()
{
	TArray<TSharedPtr<FJsonValue>> Children;
	Children.Reserve(Values.Num());
	for (auto& Pair : Values)
	{
		if (Pair.Value.IsValid())
		{
			Children.Add(std::move(Pair.Value));
		}
	}
	UE::Json::Private::ReleaseValues(Children);
}

const TSharedPtr<FJsonValue>& FJsonObject::GetFieldOfType(FStringView FieldName, EJson JsonType) const
{
	const TSharedPtr<FJsonValue>* Field = Values.Find(FString(FieldName));
	if (Field && Field->IsValid())
	{
		if (JsonType == EJson::None || (*Field)->Type == JsonType)
		{
			return *Field;
		}
		UE_LOG(LogJson, Warning, TEXT("Field %s is of the wrong type."), *FString(FieldName));
	}
	else
	{
		UE_LOG(LogJson, Warning, TEXT("Field %s was not found."), *FString(FieldName));
	}
	return SharedNullValue();
}

TSharedPtr<FJsonValue> FJsonObject::TryGetField(FStringView FieldName) const
{
	const TSharedPtr<FJsonValue>* Field = Values.Find(FString(FieldName));
	return Field ? *Field : TSharedPtr<FJsonValue>();
}

bool FJsonObject::HasField(FStringView FieldName) const
{
	const TSharedPtr<FJsonValue>* Field = Values.Find(FString(FieldName));
	return Field && Field->IsValid();
}

void FJsonObject::SetField(FStringView FieldName, const TSharedPtr<FJsonValue>& Value)
{
	Values.Add(FString(FieldName), Value);
}

bool FJsonObject::TryGetStringField(FStringView FieldName, FString& OutString) const
{
	const TSharedPtr<FJsonValue> Field = TryGetField(FieldName);
	return Field.IsValid() && Field->TryGetString(OutString);
}

bool FJsonObject::TryGetNumberField(FStringView FieldName, double& OutNumber) const
{
	const TSharedPtr<FJsonValue> Field = TryGetField(FieldName);
	return Field.IsValid() && Field->TryGetNumber(OutNumber);
}

bool FJsonObject::TryGetNumberField(FStringView FieldName, int32& OutNumber) const
{
	const TSharedPtr<FJsonValue> Field = TryGetField(FieldName);
	return Field.IsValid() && Field->TryGetNumber(OutNumber);
}

bool FJsonObject::TryGetNumberField(FStringView FieldName, int64& OutNumber) const
{
	const TSharedPtr<FJsonValue> Field = TryGetField(FieldName);
	return Field.IsValid() && Field->TryGetNumber(OutNumber);
}

bool FJsonObject::TryGetArrayField(FStringView FieldName, const TArray<TSharedPtr<FJsonValue>>*& OutArray) const
{
	const TSharedPtr<FJsonValue>* Field = Values.Find(FString(FieldName));
	return Field && Field->IsValid() && (*Field)->TryGetArray(OutArray);
}

bool FJsonObject::TryGetObjectField(FStringView FieldName, const TSharedPtr<FJsonObject>*& OutObject) const
{
	// Points into the stored value, so it stays valid as long as the field does.
	const TSharedPtr<FJsonValue>* Field = Values.Find(FString(FieldName));
	return Field && Field->IsValid() && (*Field)->TryGetObject(OutObject);
}

FString FJsonObject::GetStringField(FStringView FieldName) const
{
	return GetFieldOfType(FieldName, EJson::None)->AsString();
}

double FJsonObject::GetNumberField(FStringView FieldName) const
{
	return GetFieldOfType(FieldName, EJson::None)->AsNumber();
}

bool FJsonObject::GetBoolField(FStringView FieldName) const
{
	return GetFieldOfType(FieldName, EJson::None)->AsBool();
}

const TArray<TSharedPtr<FJsonValue>>& FJsonObject::GetArrayField(FStringView FieldName) const
{
	return GetFieldOfType(FieldName, EJson::Array)->AsArray();
}

const TSharedPtr<FJsonObject>& FJsonObject::GetObjectField(FStringView FieldName) const
{
	return GetFieldOfType(FieldName, EJson::Object)->AsObject();
}

void FJsonObject::SetStringField(FStringView FieldName, const FString& StringValue)
{
	SetField(FieldName, MakeShared<FJsonValueString>(StringValue));
}

void FJsonObject::SetNumberField(FStringView FieldName, double Number)
{
	SetField(FieldName, MakeShared<FJsonValueNumber>(Number));
}

void FJsonObject::SetBoolField(FStringView FieldName, bool InValue)
{
	SetField(FieldName, MakeShared<FJsonValueBoolean>(InValue));
}

void FJsonObject::SetArrayField(FStringView FieldName, const TArray<TSharedPtr<FJsonValue>>& Array)
{
	SetField(FieldName, MakeShared<FJsonValueArray>(Array));
}

void FJsonObject::SetObjectField(FStringView FieldName, const TSharedPtr<FJsonObject>& JsonObject)
{
	if (JsonObject.IsValid())
	{
		SetField(FieldName, MakeShared<FJsonValueObject>(JsonObject));
	}
	else
	{
		SetField(FieldName, MakeShared<FJsonValueNull>());
	}
}
