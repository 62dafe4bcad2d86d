// Copyright Vantle contributors. All Rights Reserved.
// Shared by the fuzz targets: property checks that abort (a finding, for libFuzzer and the
// replay alike) and a reader that splits one input into parameters and a payload.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#define VANTLE_FUZZ_CHECK(Condition)                                                                     \
	do                                                                                                   \
	{                                                                                                    \
		if (!(Condition))                                                                                \
		{                                                                                                \
			std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #Condition, __FILE__, __LINE__); \
			std::abort();                                                                                \
		}                                                                                                \
	} while (0)

// Takes parameters from the front of an input; what is left is the payload. Running out of bytes
// yields zeros, so every input is usable.
class FFuzzInput
{
public:
	FFuzzInput(const uint8_t* InData, size_t InSize) : Data(InData), Size(InSize) {}

	uint8_t Byte()
	{
		return Offset < Size ? Data[Offset++] : 0;
	}

	uint32_t Word()
	{
		uint32_t Value = 0;
		for (int Index = 0; Index < 4; ++Index)
		{
			Value = (Value << 8) | Byte();
		}
		return Value;
	}

	std::string Rest()
	{
		const size_t Start = Offset < Size ? Offset : Size;
		Offset = Size;
		return std::string(reinterpret_cast<const char*>(Data) + Start, Size - Start);
	}

private:
	const uint8_t* Data;
	size_t Size;
	size_t Offset = 0;
};
