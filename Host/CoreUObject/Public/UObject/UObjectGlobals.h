// Copyright 2026 Vantle contributors. All Rights Reserved.
#pragma once

#include "UObject/Class.h"
#include "UObject/Object.h"

class UPackage;

// The package that holds objects never saved ("/Engine/Transient").
COREUOBJECT_API UPackage* GetTransientPackage();

namespace UE::Host
{
	// Gives a new object its name in Outer: Name, or Base_N (the first N free) for NAME_None. A
	// name already taken in Outer stops the program, as the engine's fatal error does.
	COREUOBJECT_API void PlaceNewObject(UObject& Object, UObject* Outer, FName Name, const TCHAR* Base);
	// The host collects no garbage: objects made by NewObject live until the program ends.
	COREUOBJECT_API void KeepAlive(UObject* Object);

	template <typename T>
	const TCHAR* GetClassBaseName()
	{
		if constexpr (requires { T::StaticClass(); })
		{
			static const FString Name = T::StaticClass()->GetName();
			return *Name;
		}
		else
		{
			return TEXT("Object");
		}
	}
}

// Creates an object of class T inside Outer.
template <class T>
T* NewObject(UObject* Outer, FName Name, EObjectFlags Flags = RF_NoFlags)
{
	T* Object = new T();
	UE::Host::PlaceNewObject(*Object, Outer, Name, UE::Host::GetClassBaseName<T>());
	UE::Host::KeepAlive(Object);
	return Object;
}

template <class T>
T* NewObject(UObject* Outer)
{
	return NewObject<T>(Outer, NAME_None);
}
