// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include <cstddef>
#include <functional>
#include <type_traits>
#include <utility>

// A class template, as in the engine, over std::function.
template <typename FuncType>
class TFunction;

template <typename Ret, typename... ParamTypes>
class TFunction<Ret(ParamTypes...)> : public std::function<Ret(ParamTypes...)>
{
public:
	TFunction() = default;
	TFunction(std::nullptr_t) {}
	template <typename FunctorType>
		requires(!std::is_same_v<std::decay_t<FunctorType>, TFunction> && std::is_invocable_r_v<Ret, std::decay_t<FunctorType>&, ParamTypes...>)
	TFunction(FunctorType&& InFunc) : std::function<Ret(ParamTypes...)>(std::forward<FunctorType>(InFunc))
	{
	}
	bool IsSet() const { return static_cast<bool>(*this); }
};

// Callables are copyable in practice here; the engine's move-only wrapper accepts them too.
template <typename FuncType>
using TUniqueFunction = std::function<FuncType>;
