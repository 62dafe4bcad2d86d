// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Delegates/IDelegateInstance.h"
#include "Templates/SharedPointer.h"

#include <functional>
#include <memory>
#include <mutex>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace UE::Delegates::Private
{
	template <typename RetType, typename... ParamTypes>
	struct TInstance
	{
		std::function<RetType(ParamTypes...)> Call;
		const void* UserObject = nullptr;
		// Set for shared-pointer bindings: the delegate is bound only while the object lives.
		std::weak_ptr<const void> Weak;
		bool bWeak = false;
		FDelegateHandle Handle{FDelegateHandle::GenerateNewHandle};

		bool IsSafeToExecute() const { return !bWeak || !Weak.expired(); }
	};

	struct FNoLock
	{
		void lock() {}
		void unlock() {}
	};

	struct FCopyableMutex
	{
		FCopyableMutex() = default;
		FCopyableMutex(const FCopyableMutex&) {}
		FCopyableMutex& operator=(const FCopyableMutex&) { return *this; }
		void lock() { Mutex.lock(); }
		void unlock() { Mutex.unlock(); }
		std::mutex Mutex;
	};
}

template <typename DerivedType, typename LockType, typename FuncType>
class TDelegateBase;

// Single-cast delegate. Raw bindings trust the object to outlive the delegate; shared-pointer
// bindings hold a weak reference and stop executing once the object is gone.
template <typename DerivedType, typename LockType, typename RetType, typename... ParamTypes>
class TDelegateBase<DerivedType, LockType, RetType(ParamTypes...)>
{
	using FInstance = UE::Delegates::Private::TInstance<RetType, ParamTypes...>;

	template <typename T>
	using TNonDeduced = std::type_identity_t<T>;

public:
	template <typename UserClass, typename... VarTypes>
	using TMethodPtr = RetType (UserClass::*)(ParamTypes..., VarTypes...);
	template <typename UserClass, typename... VarTypes>
	using TConstMethodPtr = RetType (UserClass::*)(ParamTypes..., VarTypes...) const;

	TDelegateBase() = default;

	template <typename... VarTypes>
	static DerivedType CreateStatic(TNonDeduced<RetType (*)(ParamTypes..., std::decay_t<VarTypes>...)> Func, VarTypes&&... Vars)
	{
		return Make([Func, Payload = std::make_tuple(std::forward<VarTypes>(Vars)...)](ParamTypes... Params) mutable -> RetType
			{ return std::apply([&](auto&... P) -> RetType { return Func(std::forward<ParamTypes>(Params)..., P...); }, Payload); },
			nullptr);
	}

	template <typename FunctorType, typename... VarTypes>
	static DerivedType CreateLambda(FunctorType&& Functor, VarTypes&&... Vars)
	{
		return Make([F = std::forward<FunctorType>(Functor), Payload = std::make_tuple(std::forward<VarTypes>(Vars)...)](ParamTypes... Params) mutable -> RetType
			{ return std::apply([&](auto&... P) -> RetType { return F(std::forward<ParamTypes>(Params)..., P...); }, Payload); },
			nullptr);
	}

	template <typename UserClass, typename... VarTypes>
	static DerivedType CreateRaw(UserClass* Object, TNonDeduced<TMethodPtr<std::remove_const_t<UserClass>, std::decay_t<VarTypes>...>> Method, VarTypes&&... Vars)
	{
		static_assert(!std::is_const_v<UserClass>, "a non-const method needs a non-const object");
		return MakeRaw(Object, Method, std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, typename... VarTypes>
	static DerivedType CreateRaw(UserClass* Object, TNonDeduced<TConstMethodPtr<std::remove_const_t<UserClass>, std::decay_t<VarTypes>...>> Method, VarTypes&&... Vars)
	{
		return MakeRaw(Object, Method, std::forward<VarTypes>(Vars)...);
	}

	template <typename UserClass, ESPMode Mode, typename... VarTypes>
	static DerivedType CreateSP(const TSharedRef<UserClass, Mode>& Object, TNonDeduced<TMethodPtr<std::remove_const_t<UserClass>, std::decay_t<VarTypes>...>> Method, VarTypes&&... Vars)
	{
		return MakeSP(SharedPointerInternals::FAccess::Std(Object), Method, std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, ESPMode Mode, typename... VarTypes>
	static DerivedType CreateSP(const TSharedRef<UserClass, Mode>& Object, TNonDeduced<TConstMethodPtr<std::remove_const_t<UserClass>, std::decay_t<VarTypes>...>> Method, VarTypes&&... Vars)
	{
		return MakeSP(SharedPointerInternals::FAccess::Std(Object), Method, std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, typename... VarTypes>
	static DerivedType CreateSP(UserClass* Object, TNonDeduced<TMethodPtr<std::remove_const_t<UserClass>, std::decay_t<VarTypes>...>> Method, VarTypes&&... Vars)
	{
		return MakeSP(std::static_pointer_cast<UserClass>(Object->shared_from_this()), Method, std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, typename... VarTypes>
	static DerivedType CreateSP(UserClass* Object, TNonDeduced<TConstMethodPtr<std::remove_const_t<UserClass>, std::decay_t<VarTypes>...>> Method, VarTypes&&... Vars)
	{
		return MakeSP(std::static_pointer_cast<UserClass>(Object->shared_from_this()), Method, std::forward<VarTypes>(Vars)...);
	}

	template <typename UserClass, ESPMode Mode, typename FunctorType, typename... VarTypes>
	static DerivedType CreateSPLambda(const TSharedRef<UserClass, Mode>& Object, FunctorType&& Functor, VarTypes&&... Vars)
	{
		DerivedType Result = CreateLambda(std::forward<FunctorType>(Functor), std::forward<VarTypes>(Vars)...);
		Result.Instance->UserObject = &Object.Get();
		Result.Instance->Weak = std::weak_ptr<const void>(SharedPointerInternals::FAccess::Std(Object));
		Result.Instance->bWeak = true;
		return Result;
	}

	template <typename... ArgTypes>
	void BindStatic(ArgTypes&&... Args) { Assign(CreateStatic(std::forward<ArgTypes>(Args)...)); }
	template <typename FunctorType, typename... VarTypes>
	void BindLambda(FunctorType&& Functor, VarTypes&&... Vars) { Assign(CreateLambda(std::forward<FunctorType>(Functor), std::forward<VarTypes>(Vars)...)); }
	template <typename UserClass, typename MethodType, typename... VarTypes>
	void BindRaw(UserClass* Object, MethodType Method, VarTypes&&... Vars) { Assign(CreateRaw(Object, Method, std::forward<VarTypes>(Vars)...)); }
	template <typename ObjectRef, typename MethodType, typename... VarTypes>
	void BindSP(const ObjectRef& Object, MethodType Method, VarTypes&&... Vars) { Assign(CreateSP(Object, Method, std::forward<VarTypes>(Vars)...)); }
	template <typename UserClass, ESPMode Mode, typename FunctorType, typename... VarTypes>
	void BindSPLambda(const TSharedRef<UserClass, Mode>& Object, FunctorType&& Functor, VarTypes&&... Vars)
	{
		Assign(CreateSPLambda(Object, std::forward<FunctorType>(Functor), std::forward<VarTypes>(Vars)...));
	}

	void Unbind()
	{
		std::lock_guard<LockType> Guard(Lock);
		Instance.reset();
	}
	bool IsBound() const
	{
		std::lock_guard<LockType> Guard(const_cast<LockType&>(Lock));
		return Instance && Instance->IsSafeToExecute();
	}
	bool IsBoundToObject(const void* Object) const
	{
		std::lock_guard<LockType> Guard(const_cast<LockType&>(Lock));
		return Instance && Instance->UserObject == Object;
	}
	FDelegateHandle GetHandle() const
	{
		std::lock_guard<LockType> Guard(const_cast<LockType&>(Lock));
		return Instance ? Instance->Handle : FDelegateHandle();
	}

	RetType Execute(ParamTypes... Params) const
	{
		std::shared_ptr<FInstance> Local = Snapshot();
		check(Local && Local->IsSafeToExecute());
		return Local->Call(std::forward<ParamTypes>(Params)...);
	}

	template <typename R = RetType, typename = std::enable_if_t<std::is_void_v<R>>>
	bool ExecuteIfBound(ParamTypes... Params) const
	{
		std::shared_ptr<FInstance> Local = Snapshot();
		if (!Local || !Local->IsSafeToExecute())
		{
			return false;
		}
		Local->Call(std::forward<ParamTypes>(Params)...);
		return true;
	}

protected:
	template <typename F>
	static DerivedType Make(F&& Call, const void* UserObject)
	{
		DerivedType Result;
		Result.Instance = std::make_shared<FInstance>();
		Result.Instance->Call = std::forward<F>(Call);
		Result.Instance->UserObject = UserObject;
		return Result;
	}

	template <typename UserClass, typename MethodType, typename... VarTypes>
	static DerivedType MakeRaw(UserClass* Object, MethodType Method, VarTypes&&... Vars)
	{
		check(Object);
		return Make([Object, Method, Payload = std::make_tuple(std::forward<VarTypes>(Vars)...)](ParamTypes... Params) mutable -> RetType
			{ return std::apply([&](auto&... P) -> RetType { return (Object->*Method)(std::forward<ParamTypes>(Params)..., P...); }, Payload); },
			Object);
	}

	template <typename UserClass, typename MethodType, typename... VarTypes>
	static DerivedType MakeSP(const std::shared_ptr<UserClass>& Object, MethodType Method, VarTypes&&... Vars)
	{
		std::weak_ptr<UserClass> Weak = Object;
		DerivedType Result = Make([Weak, Method, Payload = std::make_tuple(std::forward<VarTypes>(Vars)...)](ParamTypes... Params) mutable -> RetType
			{
				// Pinned for the call, so the object cannot die halfway through.
				std::shared_ptr<UserClass> Pinned = Weak.lock();
				check(Pinned);
				return std::apply([&](auto&... P) -> RetType { return (Pinned.get()->*Method)(std::forward<ParamTypes>(Params)..., P...); }, Payload);
			},
			Object.get());
		Result.Instance->Weak = std::weak_ptr<const void>(Object);
		Result.Instance->bWeak = true;
		return Result;
	}

	void Assign(DerivedType&& Other)
	{
		std::lock_guard<LockType> Guard(Lock);
		Instance = std::move(Other.Instance);
	}

	std::shared_ptr<FInstance> Snapshot() const
	{
		std::lock_guard<LockType> Guard(const_cast<LockType&>(Lock));
		return Instance;
	}

	template <typename, typename, typename> friend class TDelegateBase;
	template <typename> friend class TMulticastDelegate;

	std::shared_ptr<FInstance> Instance;
	LockType Lock;
};

template <typename FuncType>
class TDelegate : public TDelegateBase<TDelegate<FuncType>, UE::Delegates::Private::FNoLock, FuncType>
{
};

// Thread-safe variant: binding, unbinding and execution may race from several threads.
template <typename FuncType>
class TTSDelegate : public TDelegateBase<TTSDelegate<FuncType>, UE::Delegates::Private::FCopyableMutex, FuncType>
{
};

template <typename FuncType>
class TMulticastDelegate;

template <typename... ParamTypes>
class TMulticastDelegate<void(ParamTypes...)>
{
public:
	typedef TDelegate<void(ParamTypes...)> FDelegate;

	FDelegateHandle Add(const FDelegate& Delegate)
	{
		if (!Delegate.Instance)
		{
			return FDelegateHandle();
		}
		Bindings.push_back(Delegate);
		return Delegate.GetHandle();
	}
	template <typename FunctorType>
	FDelegateHandle AddLambda(FunctorType&& Functor) { return Add(FDelegate::CreateLambda(std::forward<FunctorType>(Functor))); }
	template <typename UserClass, typename MethodType>
	FDelegateHandle AddRaw(UserClass* Object, MethodType Method) { return Add(FDelegate::CreateRaw(Object, Method)); }
	template <typename ObjectRef, typename MethodType>
	FDelegateHandle AddSP(const ObjectRef& Object, MethodType Method) { return Add(FDelegate::CreateSP(Object, Method)); }

	bool Remove(FDelegateHandle Handle)
	{
		const auto OldSize = Bindings.size();
		std::erase_if(Bindings, [&](const FDelegate& D) { return D.GetHandle() == Handle; });
		return Bindings.size() != OldSize;
	}
	int32 RemoveAll(const void* UserObject)
	{
		const auto OldSize = Bindings.size();
		std::erase_if(Bindings, [&](const FDelegate& D) { return D.IsBoundToObject(UserObject); });
		return static_cast<int32>(OldSize - Bindings.size());
	}
	void Clear() { Bindings.clear(); }
	bool IsBound() const { return !Bindings.empty(); }
	int32 Num() const { return static_cast<int32>(Bindings.size()); }

	void Broadcast(ParamTypes... Params) const
	{
		// A copy, so a callback may add or remove bindings while the broadcast runs.
		const std::vector<FDelegate> Local = Bindings;
		for (const FDelegate& Delegate : Local)
		{
			Delegate.ExecuteIfBound(Params...);
		}
	}

private:
	std::vector<FDelegate> Bindings;
};

typedef TMulticastDelegate<void()> FSimpleMulticastDelegate;

#define DECLARE_DELEGATE(Name) typedef TDelegate<void()> Name;
#define DECLARE_DELEGATE_OneParam(Name, P1) typedef TDelegate<void(P1)> Name;
#define DECLARE_DELEGATE_TwoParams(Name, P1, P2) typedef TDelegate<void(P1, P2)> Name;
#define DECLARE_DELEGATE_ThreeParams(Name, P1, P2, P3) typedef TDelegate<void(P1, P2, P3)> Name;
#define DECLARE_DELEGATE_FourParams(Name, P1, P2, P3, P4) typedef TDelegate<void(P1, P2, P3, P4)> Name;
#define DECLARE_DELEGATE_RetVal(R, Name) typedef TDelegate<R()> Name;
#define DECLARE_DELEGATE_RetVal_OneParam(R, Name, P1) typedef TDelegate<R(P1)> Name;
#define DECLARE_DELEGATE_RetVal_TwoParams(R, Name, P1, P2) typedef TDelegate<R(P1, P2)> Name;
#define DECLARE_DELEGATE_RetVal_ThreeParams(R, Name, P1, P2, P3) typedef TDelegate<R(P1, P2, P3)> Name;
#define DECLARE_MULTICAST_DELEGATE(Name) typedef TMulticastDelegate<void()> Name;
#define DECLARE_MULTICAST_DELEGATE_OneParam(Name, P1) typedef TMulticastDelegate<void(P1)> Name;
#define DECLARE_MULTICAST_DELEGATE_TwoParams(Name, P1, P2) typedef TMulticastDelegate<void(P1, P2)> Name;
