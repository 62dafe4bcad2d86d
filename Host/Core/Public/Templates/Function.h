// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include <functional>

template <typename FuncType>
using TFunction = std::function<FuncType>;

// Callables are copyable in practice here; the engine's move-only wrapper accepts them too.
template <typename FuncType>
using TUniqueFunction = std::function<FuncType>;
