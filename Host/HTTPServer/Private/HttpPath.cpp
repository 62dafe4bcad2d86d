// Copyright Vantle contributors. All Rights Reserved.
#include "HttpPath.h"

bool FHttpPath::IsValidPath() const
{
	if (Path.IsEmpty() || Path[0] != TEXT('/'))
	{
		return false;
	}
	for (int32 Index = 0; Index < Path.Len(); ++Index)
	{
		const TCHAR Ch = Path[Index];
		if (Ch <= TEXT(' ') || Ch == 0x7F || Ch == TEXT('?') || Ch == TEXT('#'))
		{
			return false;
		}
	}
	return true;
}
