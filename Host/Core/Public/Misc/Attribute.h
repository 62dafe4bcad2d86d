// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Delegates/Delegate.h"
#include "Templates/Function.h"

#include <type_traits>
#include <utility>

namespace UE::Host::Private
{
	// Host probe: while set, every bound getter an attribute calls is counted there (the Slate frame
	// points it at the widget or toolbar entry it evaluates).
	inline thread_local long long* AttributeGetterCallSink = nullptr;
}

// A value or a getter that is called each time the value is read.
template <typename ObjectType>
class TAttribute
{
public:
	DECLARE_DELEGATE_RetVal(ObjectType, FGetter);

	TAttribute() = default;
	template <typename OtherType, typename = std::enable_if_t<std::is_constructible_v<ObjectType, const OtherType&> && !std::is_same_v<std::decay_t<OtherType>, TAttribute>>>
	TAttribute(const OtherType& InInitialValue) : Value(static_cast<ObjectType>(InInitialValue)), bIsSet(true) {}
	TAttribute(ObjectType&& InInitialValue) : Value(std::move(InInitialValue)), bIsSet(true) {}
	template <class SourceType>
	TAttribute(TSharedRef<SourceType> Object, typename FGetter::template TConstMethodPtr<SourceType> Method)
		: Getter(FGetter::CreateSP(Object, Method)), bIsSet(true) {}
	template <class SourceType>
	TAttribute(SourceType* Object, typename FGetter::template TConstMethodPtr<SourceType> Method)
		: Getter(FGetter::CreateSP(Object, Method)), bIsSet(true) {}

	static TAttribute Create(const FGetter& InGetter) { TAttribute Result; Result.Bind(InGetter); return Result; }
	static TAttribute Create(TFunction<ObjectType(void)>&& InLambda) { return Create(FGetter::CreateLambda(std::move(InLambda))); }
	template <typename SourceType, typename SourceTypeOrBase, typename... PayloadTypes>
	static TAttribute CreateRaw(const SourceType* Object, ObjectType (SourceTypeOrBase::*Method)(PayloadTypes...) const, std::decay_t<PayloadTypes>... Payload)
	{
		return Create(FGetter::CreateRaw(static_cast<const SourceTypeOrBase*>(Object), Method, Payload...));
	}
	template <typename LambdaType, typename... PayloadTypes>
	static TAttribute CreateLambda(LambdaType&& Lambda, PayloadTypes&&... Payload)
	{
		return Create(FGetter::CreateLambda(std::forward<LambdaType>(Lambda), std::forward<PayloadTypes>(Payload)...));
	}

	void Set(const ObjectType& NewValue) { Getter.Unbind(); Value = NewValue; bIsSet = true; }
	void Set(ObjectType&& NewValue) { Getter.Unbind(); Value = std::move(NewValue); bIsSet = true; }
	bool IsSet() const { return bIsSet; }
	bool IsBound() const { return Getter.IsBound(); }
	const FGetter& GetBinding() const { return Getter; }

	const ObjectType& Get() const
	{
		if (Getter.IsBound())
		{
			if (UE::Host::Private::AttributeGetterCallSink)
			{
				++*UE::Host::Private::AttributeGetterCallSink;
			}
			Value = Getter.Execute();
		}
		return Value;
	}
	const ObjectType& Get(const ObjectType& DefaultValue) const { return bIsSet ? Get() : DefaultValue; }

	void Bind(const FGetter& InGetter) { bIsSet = true; Getter = InGetter; }
	template <class SourceType, typename... VarTypes>
	void BindRaw(SourceType* Object, typename FGetter::template TConstMethodPtr<SourceType, VarTypes...> Method, VarTypes&&... Vars)
	{
		Bind(FGetter::CreateRaw(Object, Method, std::forward<VarTypes>(Vars)...));
	}
	template <typename LambdaType, typename... PayloadTypes>
	void BindLambda(LambdaType&& Lambda, PayloadTypes&&... Payload)
	{
		Bind(FGetter::CreateLambda(std::forward<LambdaType>(Lambda), std::forward<PayloadTypes>(Payload)...));
	}

private:
	mutable ObjectType Value = ObjectType();
	FGetter Getter;
	bool bIsSet = false;
};
