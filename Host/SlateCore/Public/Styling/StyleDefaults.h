// Copyright Vantle contributors. All Rights Reserved.
#pragma once

struct FSlateBrush;

class FStyleDefaults
{
public:
	// A brush that draws nothing.
	static const FSlateBrush* GetNoBrush();
};
