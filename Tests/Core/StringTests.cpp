// Copyright Vantle contributors. All Rights Reserved.
#include "Containers/Map.h"
#include "CoreMinimal.h"
#include "Misc/Guid.h"
#include "Misc/Parse.h"

#include <gtest/gtest.h>

namespace
{
	std::string Utf8(const FString& S)
	{
		return UE::Host::ToUtf8(S);
	}
}

TEST(FStringPrintf, FormatsLikeTheEngine)
{
	EXPECT_EQ(Utf8(FString::Printf(TEXT("Vantle repair: %s; checked=%d missing=%d uncertain=%d"), TEXT("/Game/A.A"), 3, 1, 0)),
		"Vantle repair: /Game/A.A; checked=3 missing=1 uncertain=0");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("%d|%5d|%-5d|%05d"), -42, 7, 7, 7)), "-42|    7|7    |00007");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("%u %x %X %08X"), 4000000000u, 255, 255, 0xABCDEF01u)), "4000000000 ff FF ABCDEF01");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("%.1f %f %.3f"), 2.25, 0.5, 1.0 / 3.0)), "2.2 0.500000 0.333");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("%lld %llu"), int64(-9000000000ll), uint64(18000000000000000000ull))), "-9000000000 18000000000000000000");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("100%% %s%s"), TEXT("a"), TEXT(""))), "100% a");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("[%6s][%-6s][%.2s]"), TEXT("ab"), TEXT("ab"), TEXT("abcdef"))), "[    ab][ab    ][ab]");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("%hs|%c"), "narrow", 'Z')), "narrow|Z");
	const TCHAR* Null = nullptr;
	EXPECT_EQ(Utf8(FString::Printf(TEXT("%s"), Null)), "(null)");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("MCP l\u00e4uft  /  Port %d"), 8000)), "MCP l\xC3\xA4uft  /  Port 8000");
}

TEST(FString, ComparesFindsAndJoinsLikeTheEngine)
{
	EXPECT_TRUE(FString(TEXT("Hero")) == FString(TEXT("hERO")));
	EXPECT_FALSE(FString(TEXT("Hero")).Equals(TEXT("hero")));
	EXPECT_TRUE(FString(TEXT("Hero")).Equals(TEXT("hero"), ESearchCase::IgnoreCase));
	EXPECT_EQ(FString(TEXT("on 127.0.0.1:8000")).Find(TEXT(":8000")), 12);
	EXPECT_EQ(UE::Host::ToUtf8(FString(TEXT("a/")) / TEXT("b")), "a/b");
	EXPECT_EQ(UE::Host::ToUtf8(FString::Join({TEXT("Door"), TEXT("Lamp")}, TEXT("\n"))), "Door\nLamp");

	TMap<FString, int32> Map;
	Map.Add(TEXT("Hero"), 1);
	Map.Add(TEXT("HERO"), 2);
	EXPECT_EQ(Map.Num(), 1);
	EXPECT_EQ(*Map.Find(TEXT("hero")), 2);
}

TEST(FString, Utf8ConversionReplacesInvalidInput)
{
	EXPECT_EQ(UE::Host::FromUtf8("a\xC3\xA4z").Len(), 3);
	const FString Broken = UE::Host::FromUtf8("a\xFF\xC3");
	ASSERT_EQ(Broken.Len(), 3);
	EXPECT_EQ(Broken[1], u'\uFFFD');
	EXPECT_EQ(Broken[2], u'\uFFFD');
	// An overlong encoding of '/' is not accepted as '/'.
	EXPECT_NE(UE::Host::FromUtf8("\xC0\xAF")[0], u'/');
	const TCHAR Lone[] = {u'a', 0xD800, u'b', 0};
	EXPECT_EQ(UE::Host::ToUtf8(FStringView(Lone)), "a\xEF\xBF\xBD" "b");
}

TEST(FGuid, WritesUpperCaseDigitsAndNewOnesDiffer)
{
	EXPECT_EQ(Utf8(FGuid(1, 2, 3, 0xABCDEF01).ToString()), "000000010000000200000003ABCDEF01");
	EXPECT_EQ(Utf8(FGuid(1, 2, 3, 0xABCDEF01).ToString(EGuidFormats::DigitsLower)), "000000010000000200000003abcdef01");
	const FGuid Fresh = FGuid::NewGuid();
	EXPECT_TRUE(Fresh.IsValid());
	EXPECT_NE(Fresh, FGuid::NewGuid());
	const FString Digits = Fresh.ToString(EGuidFormats::Digits);
	EXPECT_EQ(Digits.Len(), 32);
	EXPECT_EQ(Digits, Digits.ToUpper());
}

TEST(FParse, ValueReadsIntegersAsTheEngineDoes)
{
	struct FCase
	{
		const TCHAR* CommandLine;
		bool bFound;
		int32 Value;
	};
	const FCase Cases[] = {
		{TEXT("-game -log"), false, 8000},
		{TEXT("-vantlemcpport=18080 -log"), true, 18080},
		{TEXT("-VantleMCPPort=abc"), true, 0},
		{TEXT("-VantleMCPPort=12abc"), true, 12},
		{TEXT("-VantleMCPPort=-5"), true, -5},
		{TEXT("-VantleMCPPort="), true, 0},
		// No word boundary: the key also matches inside a longer one, as in the engine.
		{TEXT("-MyVantleMCPPort=7"), true, 7},
		// Quoted text is skipped while searching for the key.
		{TEXT("-ExecCmds=\"VantleMCPPort=5\""), false, 8000},
		// Beyond 32 bits the value saturates instead of wrapping to another number.
		{TEXT("-VantleMCPPort=4294975296"), true, 2147483647},
		{TEXT("-VantleMCPPort=-99999999999"), true, -2147483647 - 1},
	};
	for (const FCase& Case : Cases)
	{
		int32 Value = 8000;
		EXPECT_EQ(FParse::Value(Case.CommandLine, TEXT("VantleMCPPort="), Value), Case.bFound) << Utf8(Case.CommandLine);
		EXPECT_EQ(Value, Case.Value) << Utf8(Case.CommandLine);
	}
	FString Text;
	EXPECT_TRUE(FParse::Value(TEXT("-Path=\"a b\" -x"), TEXT("Path="), Text));
	EXPECT_EQ(Utf8(Text), "a b");
}

TEST(FName, ComparesWithoutCaseAndKeepsFirstSpelling)
{
	const FName A(TEXT("LogHttpListener"));
	const FName B(TEXT("loghttplistener"));
	EXPECT_EQ(A, B);
	EXPECT_NE(A, FName(TEXT("LogModelContextProtocol")));
	EXPECT_TRUE(FName().IsNone());
	EXPECT_EQ(Utf8(FName(TEXT("LogHttpListener")).ToString()), "LogHttpListener");
}

TEST(FColor, DecodesHexThroughTheSrgbCurve)
{
	const FLinearColor Accent(FColor::FromHex(TEXT("3CFF91")));
	EXPECT_NEAR(Accent.R, 0.0452, 5e-5);
	EXPECT_NEAR(Accent.G, 1.0, 1e-6);
	EXPECT_NEAR(Accent.B, 0.2831, 5e-5);
	EXPECT_FLOAT_EQ(Accent.A, 1.0f);
	EXPECT_EQ(FColor::FromHex(TEXT("#0D0F11")), FColor(0x0D, 0x0F, 0x11, 255));
	EXPECT_EQ(FColor::FromHex(TEXT("12345")), FColor(0, 0, 0, 0));
}
