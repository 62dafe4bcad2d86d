// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include <cstddef>

// An object pointer property: behaves as a raw pointer to T.
template <typename T>
struct TObjectPtr
{
	TObjectPtr() = default;
	TObjectPtr(std::nullptr_t) {}
	TObjectPtr(T* InObject) : Object(InObject) {}
	template <typename U>
	TObjectPtr(const TObjectPtr<U>& Other) : Object(Other.Get()) {}

	TObjectPtr& operator=(T* InObject)
	{
		Object = InObject;
		return *this;
	}
	TObjectPtr& operator=(std::nullptr_t)
	{
		Object = nullptr;
		return *this;
	}

	T* Get() const { return Object; }
	operator T*() const { return Object; }
	T* operator->() const { return Object; }
	T& operator*() const { return *Object; }
	explicit operator bool() const { return Object != nullptr; }

	friend bool operator==(const TObjectPtr& Lhs, std::nullptr_t) { return Lhs.Object == nullptr; }
	friend bool operator!=(const TObjectPtr& Lhs, std::nullptr_t) { return Lhs.Object != nullptr; }
	friend bool operator==(const TObjectPtr& Lhs, const TObjectPtr& Rhs) { return Lhs.Object == Rhs.Object; }
	friend bool operator!=(const TObjectPtr& Lhs, const TObjectPtr& Rhs) { return Lhs.Object != Rhs.Object; }
	template <typename U>
	friend bool operator==(const TObjectPtr& Lhs, const U* Rhs) { return Lhs.Object == Rhs; }
	template <typename U>
	friend bool operator!=(const TObjectPtr& Lhs, const U* Rhs) { return Lhs.Object != Rhs; }

private:
	T* Object = nullptr;
};
