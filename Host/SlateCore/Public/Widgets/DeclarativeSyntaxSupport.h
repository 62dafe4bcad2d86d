// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Layout/Visibility.h"
#include "Misc/Attribute.h"
#include "Widgets/SNullWidget.h"
#include "Widgets/SWidget.h"

#include <tuple>
#include <type_traits>
#include <utility>

// Widgets are built with SNew / SAssignNew: the widget is allocated, its FArguments are filled
// by the chained setters, then Construct(Args, RequiredArgs...) runs.
#define SNew(WidgetType, ...) MakeTDecl<WidgetType>(#WidgetType, __FILE__, __LINE__, RequiredArgs::MakeRequiredArgs(__VA_ARGS__)) <<= WidgetType::FArguments()

#define SAssignNew(ExposeAs, WidgetType, ...)                                                                                                                  \
	MakeTDecl<WidgetType>(#WidgetType, __FILE__, __LINE__, RequiredArgs::MakeRequiredArgs(__VA_ARGS__)).Expose(ExposeAs) <<= WidgetType::FArguments()

#define SLATE_BEGIN_ARGS(InWidgetType)                                                                                                                         \
public:                                                                                                                                                        \
	struct FArguments : public TSlateBaseNamedArgs<InWidgetType>                                                                                               \
	{                                                                                                                                                          \
		typedef FArguments WidgetArgsType;                                                                                                                     \
		typedef InWidgetType WidgetType;                                                                                                                       \
		FArguments()

#define SLATE_END_ARGS()                                                                                                                                       \
	}                                                                                                                                                          \
	;

// Attribute setters: a value or pre-made attribute, or a getter bound as static function,
// lambda, raw object (const method only) or shared object.
#define SLATE_PRIVATE_ATTRIBUTE_VARIABLE(AttrType, AttrName) TAttribute<AttrType> _##AttrName

#define SLATE_PRIVATE_ATTRIBUTE_FUNCTION(AttrType, AttrName)                                                                                                   \
	WidgetArgsType& AttrName(TAttribute<AttrType> InAttribute)                                                                                                 \
	{                                                                                                                                                          \
		_##AttrName = std::move(InAttribute);                                                                                                                  \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}                                                                                                                                                          \
	template <typename... VarTypes> WidgetArgsType& AttrName##_Static(std::type_identity_t<AttrType (*)(std::decay_t<VarTypes>...)> InFunc, VarTypes... Vars)  \
	{                                                                                                                                                          \
		_##AttrName = TAttribute<AttrType>::Create(TAttribute<AttrType>::FGetter::CreateStatic(InFunc, Vars...));                                              \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}                                                                                                                                                          \
	WidgetArgsType& AttrName##_Lambda(TFunction<AttrType(void)>&& InFunctor)                                                                                   \
	{                                                                                                                                                          \
		_##AttrName = TAttribute<AttrType>::Create(std::move(InFunctor));                                                                                      \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}                                                                                                                                                          \
	template <class UserClass, typename... VarTypes>                                                                                                           \
	WidgetArgsType& AttrName##_Raw(UserClass* InUserObject, typename TAttribute<AttrType>::FGetter::template TConstMethodPtr<UserClass, VarTypes...> InFunc,   \
								   VarTypes... Vars)                                                                                                           \
	{                                                                                                                                                          \
		_##AttrName = TAttribute<AttrType>::Create(TAttribute<AttrType>::FGetter::CreateRaw(InUserObject, InFunc, Vars...));                                   \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}                                                                                                                                                          \
	template <class UserClass, typename... VarTypes>                                                                                                           \
	WidgetArgsType& AttrName(TSharedRef<UserClass> InUserObjectRef,                                                                                            \
							 typename TAttribute<AttrType>::FGetter::template TConstMethodPtr<UserClass, VarTypes...> InFunc, VarTypes... Vars)                \
	{                                                                                                                                                          \
		_##AttrName = TAttribute<AttrType>::Create(TAttribute<AttrType>::FGetter::CreateSP(InUserObjectRef, InFunc, Vars...));                                 \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}                                                                                                                                                          \
	template <class UserClass, typename... VarTypes>                                                                                                           \
	WidgetArgsType& AttrName(UserClass* InUserObject, typename TAttribute<AttrType>::FGetter::template TConstMethodPtr<UserClass, VarTypes...> InFunc,         \
							 VarTypes... Vars)                                                                                                                 \
	{                                                                                                                                                          \
		_##AttrName = TAttribute<AttrType>::Create(TAttribute<AttrType>::FGetter::CreateSP(InUserObject, InFunc, Vars...));                                    \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}

#define SLATE_ATTRIBUTE(AttrType, AttrName)                                                                                                                    \
	SLATE_PRIVATE_ATTRIBUTE_VARIABLE(AttrType, AttrName);                                                                                                      \
	SLATE_PRIVATE_ATTRIBUTE_FUNCTION(AttrType, AttrName)

#define SLATE_ARGUMENT(ArgType, ArgName)                                                                                                                       \
	ArgType _##ArgName;                                                                                                                                        \
	WidgetArgsType& ArgName(ArgType InArg)                                                                                                                     \
	{                                                                                                                                                          \
		_##ArgName = InArg;                                                                                                                                    \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}

// A style is passed by pointer and must outlive the widget.
#define SLATE_STYLE_ARGUMENT(ArgType, ArgName)                                                                                                                 \
	const ArgType* _##ArgName;                                                                                                                                 \
	WidgetArgsType& ArgName(const ArgType* InArg)                                                                                                              \
	{                                                                                                                                                          \
		_##ArgName = InArg;                                                                                                                                    \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}

#define SLATE_EVENT(DelegateName, EventName)                                                                                                                   \
	WidgetArgsType& EventName(const DelegateName& InDelegate)                                                                                                  \
	{                                                                                                                                                          \
		_##EventName = InDelegate;                                                                                                                             \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}                                                                                                                                                          \
	WidgetArgsType& EventName(DelegateName&& InDelegate)                                                                                                       \
	{                                                                                                                                                          \
		_##EventName = std::move(InDelegate);                                                                                                                  \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}                                                                                                                                                          \
	template <typename StaticFuncPtr, typename... VarTypes> WidgetArgsType& EventName##_Static(StaticFuncPtr InFunc, VarTypes... Vars)                         \
	{                                                                                                                                                          \
		_##EventName = DelegateName::CreateStatic(InFunc, Vars...);                                                                                            \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}                                                                                                                                                          \
	template <typename FunctorType, typename... VarTypes> WidgetArgsType& EventName##_Lambda(FunctorType&& InFunctor, VarTypes... Vars)                        \
	{                                                                                                                                                          \
		_##EventName = DelegateName::CreateLambda(std::forward<FunctorType>(InFunctor), Vars...);                                                              \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}                                                                                                                                                          \
	template <class UserClass, typename... VarTypes>                                                                                                           \
	WidgetArgsType& EventName##_Raw(UserClass* InUserObject, typename DelegateName::template TMethodPtr<UserClass, VarTypes...> InFunc, VarTypes... Vars)      \
	{                                                                                                                                                          \
		_##EventName = DelegateName::CreateRaw(InUserObject, InFunc, Vars...);                                                                                 \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}                                                                                                                                                          \
	template <class UserClass, typename... VarTypes>                                                                                                           \
	WidgetArgsType& EventName##_Raw(UserClass* InUserObject, typename DelegateName::template TConstMethodPtr<UserClass, VarTypes...> InFunc, VarTypes... Vars) \
	{                                                                                                                                                          \
		_##EventName = DelegateName::CreateRaw(InUserObject, InFunc, Vars...);                                                                                 \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}                                                                                                                                                          \
	template <class UserClass, typename... VarTypes>                                                                                                           \
	WidgetArgsType& EventName(TSharedRef<UserClass> InUserObjectRef, typename DelegateName::template TMethodPtr<UserClass, VarTypes...> InFunc,                \
							  VarTypes... Vars)                                                                                                                \
	{                                                                                                                                                          \
		_##EventName = DelegateName::CreateSP(InUserObjectRef, InFunc, Vars...);                                                                               \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}                                                                                                                                                          \
	template <class UserClass, typename... VarTypes>                                                                                                           \
	WidgetArgsType& EventName(TSharedRef<UserClass> InUserObjectRef, typename DelegateName::template TConstMethodPtr<UserClass, VarTypes...> InFunc,           \
							  VarTypes... Vars)                                                                                                                \
	{                                                                                                                                                          \
		_##EventName = DelegateName::CreateSP(InUserObjectRef, InFunc, Vars...);                                                                               \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}                                                                                                                                                          \
	template <class UserClass, typename... VarTypes>                                                                                                           \
	WidgetArgsType& EventName(UserClass* InUserObject, typename DelegateName::template TMethodPtr<UserClass, VarTypes...> InFunc, VarTypes... Vars)            \
	{                                                                                                                                                          \
		_##EventName = DelegateName::CreateSP(InUserObject, InFunc, Vars...);                                                                                  \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}                                                                                                                                                          \
	template <class UserClass, typename... VarTypes>                                                                                                           \
	WidgetArgsType& EventName(UserClass* InUserObject, typename DelegateName::template TConstMethodPtr<UserClass, VarTypes...> InFunc, VarTypes... Vars)       \
	{                                                                                                                                                          \
		_##EventName = DelegateName::CreateSP(InUserObject, InFunc, Vars...);                                                                                  \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}                                                                                                                                                          \
	DelegateName _##EventName;

// A widget reference that always points somewhere; empty slots hold SNullWidget.
struct TAlwaysValidWidget
{
	TAlwaysValidWidget() : Widget(SNullWidget::NullWidget) {}
	TSharedRef<SWidget> Widget;
};

// Returned by a named slot, so that `.Content()[ Child ]` fills it.
template <class DeclarationType> struct NamedSlotProperty
{
	NamedSlotProperty(DeclarationType& InOwnerDeclaration, TAlwaysValidWidget& ContentToSet) : OwnerDeclaration(InOwnerDeclaration), SlotContent(ContentToSet)
	{
	}

	DeclarationType& operator[](const TSharedRef<SWidget>& InChild)
	{
		SlotContent.Widget = InChild;
		return OwnerDeclaration;
	}

	DeclarationType& OwnerDeclaration;
	TAlwaysValidWidget& SlotContent;
};

#define SLATE_NAMED_SLOT(DeclarationType, SlotName)                                                                                                            \
	NamedSlotProperty<DeclarationType> SlotName()                                                                                                              \
	{                                                                                                                                                          \
		return NamedSlotProperty<DeclarationType>(*this, _##SlotName);                                                                                         \
	}                                                                                                                                                          \
	TAlwaysValidWidget _##SlotName;

#define SLATE_DEFAULT_SLOT(DeclarationType, SlotName)                                                                                                          \
	SLATE_NAMED_SLOT(DeclarationType, SlotName);                                                                                                               \
	DeclarationType& operator[](const TSharedRef<SWidget>& InChild)                                                                                            \
	{                                                                                                                                                          \
		_##SlotName.Widget = InChild;                                                                                                                          \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}

// Panel slots: `SNew(SVerticalBox) + SVerticalBox::Slot()[ Child ]`.
#define SLATE_SLOT_ARGUMENT(SlotType, SlotName)                                                                                                                \
	TArray<typename SlotType::FSlotArguments> _##SlotName;                                                                                                     \
	WidgetArgsType& operator+(typename SlotType::FSlotArguments& SlotToAdd)                                                                                    \
	{                                                                                                                                                          \
		_##SlotName.Add(std::move(SlotToAdd));                                                                                                                 \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}                                                                                                                                                          \
	WidgetArgsType& operator+(typename SlotType::FSlotArguments&& SlotToAdd)                                                                                   \
	{                                                                                                                                                          \
		_##SlotName.Add(std::move(SlotToAdd));                                                                                                                 \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                       \
	}

// The arguments every widget takes.
struct FSlateBaseNamedArgs
{
	FSlateBaseNamedArgs() = default;

	TAttribute<FText> _ToolTipText;
	TAttribute<EVisibility> _Visibility = EVisibility::Visible;
	TAttribute<bool> _IsEnabled = true;
};

template <typename InWidgetType> struct TSlateBaseNamedArgs : public FSlateBaseNamedArgs
{
	typedef InWidgetType WidgetType;
	typedef typename WidgetType::FArguments WidgetArgsType;

	SLATE_PRIVATE_ATTRIBUTE_FUNCTION(FText, ToolTipText)
	SLATE_PRIVATE_ATTRIBUTE_FUNCTION(bool, IsEnabled)
	SLATE_PRIVATE_ATTRIBUTE_FUNCTION(EVisibility, Visibility)

	// Lets chained setters return the most derived argument type.
	WidgetArgsType& Me() { return *(static_cast<WidgetArgsType*>(this)); }
};

namespace RequiredArgs
{
	// Arguments passed to SNew after the widget type, forwarded to Construct.
	template <typename... ArgTypes> struct TRequiredArgs
	{
		std::tuple<ArgTypes...> Args;

		template <class WidgetType> void CallConstruct(const TSharedRef<WidgetType>& OnWidget, const typename WidgetType::FArguments& WithNamedArgs)
		{
			std::apply([&](auto&&... Values) { OnWidget->Construct(WithNamedArgs, std::forward<decltype(Values)>(Values)...); }, std::move(Args));
		}
	};

	template <typename... ArgTypes> TRequiredArgs<ArgTypes&&...> MakeRequiredArgs(ArgTypes&&... InArgs)
	{
		return TRequiredArgs<ArgTypes&&...>{std::forward_as_tuple(std::forward<ArgTypes>(InArgs)...)};
	}
}

// The widget under construction between SNew and the end of its argument chain.
template <class WidgetType, typename RequiredArgsPayloadType> struct TSlateDecl
{
	TSlateDecl(const ANSICHAR* InType, const ANSICHAR* InFile, int32 OnLine, RequiredArgsPayloadType&& InRequiredArgs)
		: Widget(MakeShared<WidgetType>()), RequiredArgs(std::move(InRequiredArgs))
	{
		Widget->SetDebugInfo(InType, InFile, OnLine, sizeof(WidgetType));
	}

	template <class ExposeAsWidgetType> TSlateDecl&& Expose(TSharedPtr<ExposeAsWidgetType>& OutVarToInit) &&
	{
		OutVarToInit = Widget;
		return std::move(*this);
	}
	template <class ExposeAsWidgetType> TSlateDecl&& Expose(TSharedRef<ExposeAsWidgetType>& OutVarToInit) &&
	{
		OutVarToInit = Widget;
		return std::move(*this);
	}
	template <class ExposeAsWidgetType> TSlateDecl&& Expose(TWeakPtr<ExposeAsWidgetType>& OutVarToInit) &&
	{
		OutVarToInit = Widget;
		return std::move(*this);
	}

	TSharedRef<WidgetType> operator<<=(const typename WidgetType::FArguments& InArgs) &&
	{
		Widget->SWidgetConstruct(InArgs);
		RequiredArgs.CallConstruct(Widget, InArgs);
		return Widget;
	}

	TSharedRef<WidgetType> Widget;
	RequiredArgsPayloadType RequiredArgs;
};

template <typename WidgetType, typename RequiredArgsPayloadType>
TSlateDecl<WidgetType, RequiredArgsPayloadType> MakeTDecl(const ANSICHAR* InType, const ANSICHAR* InFile, int32 OnLine,
														  RequiredArgsPayloadType&& InRequiredArgs)
{
	return TSlateDecl<WidgetType, RequiredArgsPayloadType>(InType, InFile, OnLine, std::forward<RequiredArgsPayloadType>(InRequiredArgs));
}
