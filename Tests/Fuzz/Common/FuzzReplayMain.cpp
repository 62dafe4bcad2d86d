// Copyright Vantle contributors. All Rights Reserved.
// Feeds every file under the given files and folders to the fuzz target, in name order, the way
// libFuzzer runs one input: a finding aborts the program. Keeps each seed a regression test.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* Argc, char*** Argv);

namespace
{
	bool ReadFile(const std::filesystem::path& Path, std::vector<uint8_t>& Out)
	{
		std::ifstream File(Path, std::ios::binary);
		if (!File)
		{
			return false;
		}
		Out.assign(std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>());
		return !File.bad();
	}
}

int main(int Argc, char** Argv)
{
	if (LLVMFuzzerInitialize)
	{
		LLVMFuzzerInitialize(&Argc, &Argv);
	}
	std::vector<std::filesystem::path> Inputs;
	for (int Index = 1; Index < Argc; ++Index)
	{
		const std::filesystem::path Path(Argv[Index]);
		std::error_code Error;
		if (std::filesystem::is_directory(Path, Error))
		{
			for (const auto& Entry : std::filesystem::recursive_directory_iterator(Path, Error))
			{
				if (Entry.is_regular_file())
				{
					Inputs.push_back(Entry.path());
				}
			}
		}
		else if (std::filesystem::is_regular_file(Path, Error))
		{
			Inputs.push_back(Path);
		}
		else
		{
			std::fprintf(stderr, "replay: %s is neither a file nor a folder\n", Argv[Index]);
			return 2;
		}
	}
	if (Inputs.empty())
	{
		// An empty corpus would pass without testing anything.
		std::fprintf(stderr, "replay: no inputs (usage: %s FILE_OR_FOLDER...)\n", Argc > 0 ? Argv[0] : "replay");
		return 2;
	}
	std::sort(Inputs.begin(), Inputs.end());
	std::vector<uint8_t> Data;
	for (const std::filesystem::path& Input : Inputs)
	{
		if (!ReadFile(Input, Data))
		{
			std::fprintf(stderr, "replay: cannot read %s\n", Input.c_str());
			return 2;
		}
		std::fprintf(stderr, "replay: %s (%zu bytes)\n", Input.c_str(), Data.size());
		// A buffer of exactly the input's size, so reading past the input is caught under ASan.
		const std::unique_ptr<uint8_t[]> Exact(new uint8_t[Data.size()]);
		std::copy(Data.begin(), Data.end(), Exact.get());
		LLVMFuzzerTestOneInput(Exact.get(), Data.size());
	}
	std::printf("replayed %zu inputs\n", Inputs.size());
	return 0;
}
