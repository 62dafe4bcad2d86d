// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include <memory>
#include <utility>

// Exclusive owner with the engine's names on top of std::unique_ptr.
template <typename T>
class TUniquePtr : public std::unique_ptr<T>
{
public:
	using std::unique_ptr<T>::unique_ptr;
	TUniquePtr() = default;
	TUniquePtr(std::unique_ptr<T>&& Other) : std::unique_ptr<T>(std::move(Other)) {}
	template <typename U>
	TUniquePtr(TUniquePtr<U>&& Other) : std::unique_ptr<T>(std::move(Other)) {}

	bool IsValid() const { return this->get() != nullptr; }
	T* Get() const { return this->get(); }
	void Reset(T* NewPtr = nullptr) { this->reset(NewPtr); }
	T* Release() { return this->release(); }
};

template <typename T, typename... ArgTypes>
TUniquePtr<T> MakeUnique(ArgTypes&&... Args)
{
	return TUniquePtr<T>(new T(std::forward<ArgTypes>(Args)...));
}
