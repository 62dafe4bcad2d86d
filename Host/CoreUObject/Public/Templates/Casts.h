// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "UObject/Object.h"
#include "UObject/ObjectPtr.h"

// The object as a To when it is one (or derives from it); null otherwise or for null.
template <typename To, typename From>
To* Cast(From* Src)
{
	return dynamic_cast<To*>(Src);
}

template <typename To, typename From>
const To* Cast(const From* Src)
{
	return dynamic_cast<const To*>(Src);
}

template <typename To, typename From>
To* Cast(const TObjectPtr<From>& Src)
{
	return dynamic_cast<To*>(Src.Get());
}
