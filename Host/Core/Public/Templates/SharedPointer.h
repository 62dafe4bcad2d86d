// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"
#include "Templates/TypeHash.h"

#include <memory>
#include <type_traits>
#include <utility>

enum class ESPMode : uint8
{
	NotThreadSafe = 0,
	ThreadSafe = 1,
};

template <class ObjectType, ESPMode Mode = ESPMode::ThreadSafe> class TSharedRef;
template <class ObjectType, ESPMode Mode = ESPMode::ThreadSafe> class TSharedPtr;
template <class ObjectType, ESPMode Mode = ESPMode::ThreadSafe> class TWeakPtr;
template <class ObjectType, ESPMode Mode = ESPMode::ThreadSafe> class TSharedFromThis;

// Reference counting is std::shared_ptr underneath, which is always thread-safe; the mode
// parameter is kept so that types match the engine's.
namespace SharedPointerInternals
{
	template <class ObjectType>
	struct TRawPtrProxy
	{
		ObjectType* Object;
	};

	struct FAccess
	{
		template <class T>
		static const auto& Std(const T& Pointer) { return Pointer.Ptr; }
		template <class T, class StdPtr>
		static T Make(StdPtr&& Ptr) { T Result; Result.Ptr = std::forward<StdPtr>(Ptr); return Result; }
	};
}

template <class ObjectType>
SharedPointerInternals::TRawPtrProxy<ObjectType> MakeShareable(ObjectType* Object)
{
	return SharedPointerInternals::TRawPtrProxy<ObjectType>{Object};
}

template <class ObjectType, ESPMode Mode>
class TSharedRef
{
public:
	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TSharedRef(const TSharedRef<OtherType, Mode>& Other) : Ptr(Other.Ptr) {}
	template <class OtherType>
	explicit TSharedRef(OtherType* InObject) : Ptr(InObject) { check(InObject); }
	template <class OtherType>
	TSharedRef(SharedPointerInternals::TRawPtrProxy<OtherType> Proxy) : Ptr(Proxy.Object) { check(Proxy.Object); }

	ObjectType& Get() const { return *Ptr; }
	ObjectType* operator->() const { return Ptr.get(); }
	ObjectType& operator*() const { return *Ptr; }
	TSharedPtr<ObjectType, Mode> ToSharedPtr() const { return TSharedPtr<ObjectType, Mode>(*this); }
	int32 GetSharedReferenceCount() const { return static_cast<int32>(Ptr.use_count()); }
	bool IsUnique() const { return Ptr.use_count() == 1; }
	// Always valid; kept so generic code can ask.
	bool IsValid() const { return true; }

	template <class OtherType>
	bool operator==(const TSharedRef<OtherType, Mode>& Other) const { return Ptr.get() == Other.Ptr.get(); }
	template <class OtherType>
	bool operator!=(const TSharedRef<OtherType, Mode>& Other) const { return Ptr.get() != Other.Ptr.get(); }
	friend uint32 GetTypeHash(const TSharedRef& Ref) { return GetTypeHash(Ref.Ptr.get()); }

private:
	TSharedRef() = default;
	explicit TSharedRef(std::shared_ptr<ObjectType> InPtr) : Ptr(std::move(InPtr)) { check(Ptr); }

	template <class, ESPMode> friend class TSharedRef;
	template <class, ESPMode> friend class TSharedPtr;
	template <class, ESPMode> friend class TWeakPtr;
	template <class, ESPMode> friend class TSharedFromThis;
	friend struct SharedPointerInternals::FAccess;

	std::shared_ptr<ObjectType> Ptr;
};

template <class ObjectType, ESPMode Mode>
class TSharedPtr
{
public:
	TSharedPtr() = default;
	TSharedPtr(std::nullptr_t) {}
	template <class OtherType>
	explicit TSharedPtr(OtherType* InObject) : Ptr(InObject) {}
	template <class OtherType>
	TSharedPtr(SharedPointerInternals::TRawPtrProxy<OtherType> Proxy) : Ptr(Proxy.Object) {}
	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TSharedPtr(const TSharedPtr<OtherType, Mode>& Other) : Ptr(Other.Ptr) {}
	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TSharedPtr(TSharedPtr<OtherType, Mode>&& Other) : Ptr(std::move(Other.Ptr)) {}
	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TSharedPtr(const TSharedRef<OtherType, Mode>& Other) : Ptr(Other.Ptr) {}

	bool IsValid() const { return Ptr != nullptr; }
	explicit operator bool() const { return Ptr != nullptr; }
	ObjectType* Get() const { return Ptr.get(); }
	ObjectType* operator->() const { check(Ptr); return Ptr.get(); }
	ObjectType& operator*() const { check(Ptr); return *Ptr; }
	void Reset() { Ptr.reset(); }
	TSharedRef<ObjectType, Mode> ToSharedRef() const { check(Ptr); return TSharedRef<ObjectType, Mode>(Ptr); }
	int32 GetSharedReferenceCount() const { return static_cast<int32>(Ptr.use_count()); }
	bool IsUnique() const { return Ptr.use_count() == 1; }

	template <class OtherType>
	bool operator==(const TSharedPtr<OtherType, Mode>& Other) const { return Ptr.get() == Other.Ptr.get(); }
	template <class OtherType>
	bool operator!=(const TSharedPtr<OtherType, Mode>& Other) const { return Ptr.get() != Other.Ptr.get(); }
	template <class OtherType>
	bool operator==(const TSharedRef<OtherType, Mode>& Other) const { return Ptr.get() == Other.Ptr.get(); }
	bool operator==(std::nullptr_t) const { return Ptr == nullptr; }
	bool operator!=(std::nullptr_t) const { return Ptr != nullptr; }
	friend uint32 GetTypeHash(const TSharedPtr& P) { return GetTypeHash(P.Ptr.get()); }

private:
	template <class, ESPMode> friend class TSharedRef;
	template <class, ESPMode> friend class TSharedPtr;
	template <class, ESPMode> friend class TWeakPtr;
	friend struct SharedPointerInternals::FAccess;

	std::shared_ptr<ObjectType> Ptr;
};

template <class ObjectType, ESPMode Mode>
class TWeakPtr
{
public:
	TWeakPtr() = default;
	TWeakPtr(std::nullptr_t) {}
	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TWeakPtr(const TSharedPtr<OtherType, Mode>& Other) : Ptr(Other.Ptr) {}
	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TWeakPtr(const TSharedRef<OtherType, Mode>& Other) : Ptr(Other.Ptr) {}
	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TWeakPtr(const TWeakPtr<OtherType, Mode>& Other) : Ptr(Other.Ptr) {}

	TWeakPtr& operator=(std::nullptr_t) { Ptr.reset(); return *this; }
	TSharedPtr<ObjectType, Mode> Pin() const
	{
		TSharedPtr<ObjectType, Mode> Result;
		Result.Ptr = Ptr.lock();
		return Result;
	}
	bool IsValid() const { return !Ptr.expired(); }
	void Reset() { Ptr.reset(); }
	bool operator==(const TWeakPtr& Other) const { return !Ptr.owner_before(Other.Ptr) && !Other.Ptr.owner_before(Ptr); }

private:
	template <class, ESPMode> friend class TWeakPtr;
	friend struct SharedPointerInternals::FAccess;

	std::weak_ptr<ObjectType> Ptr;
};

template <class ObjectType, ESPMode Mode>
class TSharedFromThis : public std::enable_shared_from_this<ObjectType>
{
public:
	TSharedRef<ObjectType, Mode> AsShared() { return TSharedRef<ObjectType, Mode>(this->shared_from_this()); }
	TSharedRef<const ObjectType, Mode> AsShared() const
	{
		return SharedPointerInternals::FAccess::Make<TSharedPtr<const ObjectType, Mode>>(std::shared_ptr<const ObjectType>(this->shared_from_this())).ToSharedRef();
	}
	TWeakPtr<ObjectType, Mode> AsWeak() { return SharedPointerInternals::FAccess::Make<TWeakPtr<ObjectType, Mode>>(this->weak_from_this()); }
	bool DoesSharedInstanceExist() const { return !this->weak_from_this().expired(); }

protected:
	template <class OtherType>
	static TSharedRef<OtherType, Mode> SharedThis(OtherType* ThisPtr)
	{
		return SharedPointerInternals::FAccess::Make<TSharedPtr<OtherType, Mode>>(std::static_pointer_cast<OtherType>(ThisPtr->shared_from_this())).ToSharedRef();
	}
	template <class OtherType>
	static TSharedRef<const OtherType, Mode> SharedThis(const OtherType* ThisPtr)
	{
		return SharedPointerInternals::FAccess::Make<TSharedPtr<const OtherType, Mode>>(std::static_pointer_cast<const OtherType>(ThisPtr->shared_from_this())).ToSharedRef();
	}
};

template <class ObjectType, ESPMode Mode = ESPMode::ThreadSafe, typename... ArgTypes>
TSharedRef<ObjectType, Mode> MakeShared(ArgTypes&&... Args)
{
	return SharedPointerInternals::FAccess::Make<TSharedPtr<ObjectType, Mode>>(std::make_shared<ObjectType>(std::forward<ArgTypes>(Args)...)).ToSharedRef();
}

template <class To, class From, ESPMode Mode>
TSharedRef<To, Mode> StaticCastSharedRef(const TSharedRef<From, Mode>& In)
{
	return SharedPointerInternals::FAccess::Make<TSharedPtr<To, Mode>>(std::static_pointer_cast<To>(SharedPointerInternals::FAccess::Std(In))).ToSharedRef();
}

template <class To, class From, ESPMode Mode>
TSharedPtr<To, Mode> StaticCastSharedPtr(const TSharedPtr<From, Mode>& In)
{
	return SharedPointerInternals::FAccess::Make<TSharedPtr<To, Mode>>(std::static_pointer_cast<To>(SharedPointerInternals::FAccess::Std(In)));
}

template <class To, class From, ESPMode Mode>
TSharedRef<To, Mode> ConstCastSharedRef(const TSharedRef<From, Mode>& In)
{
	return SharedPointerInternals::FAccess::Make<TSharedPtr<To, Mode>>(std::const_pointer_cast<To>(SharedPointerInternals::FAccess::Std(In))).ToSharedRef();
}

template <class To, class From, ESPMode Mode>
TSharedPtr<To, Mode> ConstCastSharedPtr(const TSharedPtr<From, Mode>& In)
{
	return SharedPointerInternals::FAccess::Make<TSharedPtr<To, Mode>>(std::const_pointer_cast<To>(SharedPointerInternals::FAccess::Std(In)));
}
