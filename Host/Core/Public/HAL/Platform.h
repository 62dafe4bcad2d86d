// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

// Linux editor types: TCHAR is a 16-bit code unit, as in the engine's Unix platform.
typedef uint8_t uint8;
typedef uint16_t uint16;
typedef uint32_t uint32;
typedef uint64_t uint64;
typedef int8_t int8;
typedef int16_t int16;
typedef int32_t int32;
typedef int64_t int64;
typedef char ANSICHAR;
typedef char16_t WIDECHAR;
typedef char8_t UTF8CHAR;
typedef WIDECHAR TCHAR;
typedef size_t SIZE_T;
typedef uintptr_t UPTRINT;

#define PLATFORM_LINUX 1
#define PLATFORM_UNIX 1
#define PLATFORM_TCHAR_IS_CHAR16 1
#define PLATFORM_WCHAR_IS_4_BYTES 1
#define WITH_EDITOR 1
#define WITH_EDITORONLY_DATA 1
#define UE_BUILD_SHIPPING 0

#define TEXT_PASTE(x) u##x
// TEXT("x") is a UTF-16 literal, as the engine expands it on Linux.
#define TEXT(x) TEXT_PASTE(x)

#define FORCEINLINE inline
#define FORCENOINLINE __attribute__((noinline))
#define UE_NODISCARD [[nodiscard]]

#define CORE_API
#define COREUOBJECT_API
#define ENGINE_API
#define UNREALED_API
#define SLATE_API
#define SLATECORE_API
#define HTTP_API
#define JSON_API
#define PROJECTS_API
#define TOOLMENUS_API
#define MOVIESCENE_API
#define LEVELSEQUENCE_API
#define LEVELSEQUENCEEDITOR_API
#define IMAGECORE_API
#define EDITORSUBSYSTEM_API

enum { INDEX_NONE = -1 };

// Engine assertions: a failed check() is a programming error and stops the process loudly.
namespace UE::Host
{
	[[noreturn]] CORE_API void CheckFailed(const char* Expr, const char* File, int Line);
	// Logs "Ensure condition failed: ..." as an error, with the message when there is one.
	CORE_API void EnsureFailed(const char* Expr, const char* File, int Line, const char16_t* Message);
}
#define check(expr) do { if (!(expr)) { ::UE::Host::CheckFailed(#expr, __FILE__, __LINE__); } } while (0)
#define checkf(expr, ...) check(expr)
#define verify(expr) check(expr)
// A failed ensure() logs an error once per call site, as the engine reports it once per session,
// and evaluates to false every time.
#define UE_HOST_ENSURE_IMPL(Expr, MessageExpr) \
	(!!(Expr) || ([&]() { static std::atomic<bool> bReported{false}; if (!bReported.exchange(true)) { ::UE::Host::EnsureFailed(#Expr, __FILE__, __LINE__, MessageExpr); } }(), false))
#define ensure(expr) UE_HOST_ENSURE_IMPL(expr, nullptr)
#define ensureMsgf(expr, ...) UE_HOST_ENSURE_IMPL(expr, *FString::Printf(__VA_ARGS__))
#define checkNoEntry() ::UE::Host::CheckFailed("checkNoEntry", __FILE__, __LINE__)
