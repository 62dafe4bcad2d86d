// Copyright Vantle contributors. All Rights Reserved.
#include "Framework/Application/SlateApplication.h"
#include "HostImage.h"
#include "HostSlate.h"
#include "HostSlateRenderer.h"
#include "VantleStyle.h"
#include "VantleTestEditor.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/SWindow.h"
#include "Widgets/Text/STextBlock.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using Vantle::Test::FEditorTest;

namespace
{
	const FName PanelId(TEXT("Vantle.Panel"));

	std::string ReadFile(const std::filesystem::path& Path)
	{
		std::ifstream Stream(Path, std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(Stream), std::istreambuf_iterator<char>());
	}

	struct FImage
	{
		TArray<FColor> Pixels;
		FIntPoint Size;

		FColor At(int32 X, int32 Y) const { return Pixels[Y * Size.X + X]; }
	};

	FImage Load(const std::filesystem::path& Path)
	{
		FImage Image;
		FString Error;
		EXPECT_TRUE(UE::Host::LoadPng(UE::Host::FromUtf8(Path.string()), Image.Pixels, Image.Size, Error)) << Path << ": " << UE::Host::ToUtf8(Error);
		return Image;
	}

	std::string Hex(const FColor& Color)
	{
		return UE::Host::ToUtf8(Color.ToHex());
	}

	// The colour an outline of that alpha leaves over an opaque background, as 8-bit blending gives it.
	FColor Blend(const FColor& Over, double Alpha, const FColor& Under)
	{
		auto Channel = [Alpha](uint8 Top, uint8 Bottom) { return static_cast<uint8>(std::lround(Top * Alpha + Bottom * (1.0 - Alpha))); };
		return FColor(Channel(Over.R, Under.R), Channel(Over.G, Under.G), Channel(Over.B, Under.B));
	}

	bool Near(const FColor& A, const FColor& B, int32 Tolerance)
	{
		return std::abs(A.R - B.R) <= Tolerance && std::abs(A.G - B.G) <= Tolerance && std::abs(A.B - B.B) <= Tolerance && A.A == B.A;
	}

	// The renderer gives the same bytes for the same state, so the slack only absorbs rounding
	// between library builds; one changed glyph of the smallest label is well above it.
	constexpr int32 GoldenChannelTolerance = 2;
	constexpr int64 GoldenMaxDifferingPixels = 4;
	// Scripts/update-golden.sh sizes the window alike.
	const FVector2D GoldenClientSize(560.0, 680.0);
	const FString FooterText(TEXT("Focused sequence only. No automatic saving."));

	int64 CountDifferingPixels(const FImage& A, const FImage& B)
	{
		int64 Differing = 0;
		for (int32 Index = 0; Index < A.Pixels.Num() && Index < B.Pixels.Num(); ++Index)
		{
			Differing += Near(A.Pixels[Index], B.Pixels[Index], GoldenChannelTolerance) ? 0 : 1;
		}
		return Differing;
	}

	FString TextOf(const SWidget& Widget)
	{
		const STextBlock* Text = dynamic_cast<const STextBlock*>(&Widget);
		return Text ? Text->GetText().ToString() : FString();
	}

	class Capture : public FEditorTest
	{
	protected:
		void SetUp() override
		{
			FEditorTest::SetUp();
			std::string Template = (std::filesystem::temp_directory_path() / "vantle-capture-XXXXXX").string();
			ASSERT_NE(mkdtemp(Template.data()), nullptr);
			Dir = Template;
		}

		void TearDown() override
		{
			Module().McpWatcher->State = static_cast<int32>(EMcpState::Idle);
			FEditorTest::TearDown();
			std::error_code Ignored;
			std::filesystem::remove_all(Dir, Ignored);
		}

		void Open() { Editor.Exec(TEXT("Vantle.Open")); }

		void CaptureTo(const std::filesystem::path& Path) { Editor.Exec(TEXT("Vantle.Capture ") + UE::Host::FromUtf8(Path.string())); }

		std::vector<std::string> Files() const
		{
			std::vector<std::string> Names;
			for (const auto& Entry : std::filesystem::recursive_directory_iterator(Dir))
			{
				Names.push_back(std::filesystem::relative(Entry.path(), Dir).string());
			}
			std::sort(Names.begin(), Names.end());
			return Names;
		}

		TSharedRef<SDockTab> Tab() { return Module().PanelTab.Pin().ToSharedRef(); }
		TSharedRef<SWindow> Window() { return Tab()->GetParentWindow().ToSharedRef(); }

		// Where the layout put a widget of the open panel's window, in window coordinates.
		FSlateRect RectOf(const TFunction<bool(const SWidget&)>& Matches)
		{
			for (const UE::Host::FArrangedWidgetRecord& Record : UE::Host::ArrangeTab(PanelId))
			{
				const TSharedPtr<SWidget> Widget = Record.Widget.Pin();
				if (Widget.IsValid() && Matches(*Widget))
				{
					return FSlateRect(Record.Position, Record.Position + Record.Size);
				}
			}
			ADD_FAILURE() << "widget not arranged";
			return FSlateRect(0, 0, 0, 0);
		}

		FSlateRect ContentRect()
		{
			const SWidget* Content = &Tab()->GetContent().Get();
			return RectOf([Content](const SWidget& Widget) { return &Widget == Content; });
		}

		// The status text the capture must write for the module's present state.
		std::string ExpectedStatus()
		{
			const FBindingReport& Report = Module().Report;
			return "sequence=" + UE::Host::ToUtf8(Report.SequencePath) + "\nchecked=" + std::to_string(Report.CheckedCount) +
				   "\nmissing=" + std::to_string(Report.MissingNames.Num()) + "\nuncertain=" + std::to_string(Report.UncertainNames.Num()) +
				   "\nmcpState=" + std::to_string(Module().McpWatcher->State) + "\nmcpMessage=" + UE::Host::ToUtf8(Module().McpWatcher->Message) + "\n";
		}

		std::filesystem::path Dir;
	};
}

TEST_F(Capture, WritesTheContentImageTheStatusTextAndTheWindowImage)
{
	Open();
	const std::filesystem::path Path = Dir / "panel.png";
	CaptureTo(Path);
	EXPECT_EQ(Files(), (std::vector<std::string>{"panel.png", "panel.png.txt", "panel.png.window.png"}));

	const FImage Content = Load(Path);
	const FSlateRect Expected = ContentRect();
	EXPECT_EQ(Content.Size.X, std::lround(Expected.Right - Expected.Left));
	EXPECT_EQ(Content.Size.Y, std::lround(Expected.Bottom - Expected.Top));
	const FImage WindowImage = Load(Dir / "panel.png.window.png");
	const FIntPoint WindowSize = UE::Host::GetWindowImageSize(Window()->GetClientSizeInScreen());
	EXPECT_EQ(WindowImage.Size, WindowSize);
	EXPECT_GT(WindowSize.Y, Content.Size.Y);
	EXPECT_TRUE(std::all_of(Content.Pixels.begin(), Content.Pixels.end(), [](const FColor& Pixel) { return Pixel.A == 255; }));

	// Plain 8-bit text: the sequence path as the scene names it, the numbers as the report holds them.
	const std::string Status = ReadFile(Dir / "panel.png.txt");
	EXPECT_EQ(Status.rfind("sequence=/Game/Cinematics/Intro.Intro\nchecked=", 0), 0u) << Status;
	EXPECT_EQ(Status, ExpectedStatus());
	EXPECT_NE(Status.find("\nmcpState=0\nmcpMessage=Noch nicht gestartet\n"), std::string::npos) << Status;

	// A second capture overwrites the files with the state of that moment.
	FString Error;
	ASSERT_TRUE(UE::Host::FocusSequence(FString(), Error));
	Module().RefreshReport();
	CaptureTo(Path);
	EXPECT_EQ(ReadFile(Dir / "panel.png.txt"), "sequence=\nchecked=0\nmissing=0\nuncertain=0\nmcpState=0\nmcpMessage=Noch nicht gestartet\n");
}

TEST_F(Capture, StatusTextIsUtf16WithByteOrderMarkWhenTheMessageIsNotAscii)
{
	Open();
	Module().McpWatcher->State = static_cast<int32>(EMcpState::Confirmed);
	Module().McpWatcher->Message = TEXT("MCP l\u00e4uft  /  Port 8000");
	CaptureTo(Dir / "panel.png");

	const std::string Bytes = ReadFile(Dir / "panel.png.txt");
	ASSERT_GE(Bytes.size(), 2u);
	EXPECT_EQ(static_cast<uint8>(Bytes[0]), 0xFF);
	EXPECT_EQ(static_cast<uint8>(Bytes[1]), 0xFE);
	const std::string Utf8 = ExpectedStatus();
	EXPECT_NE(Utf8.find("mcpState=2\nmcpMessage=MCP l\xC3\xA4uft  /  Port 8000\n"), std::string::npos);
	std::string Utf16 = "\xFF\xFE";
	const FString Text = UE::Host::FromUtf8(Utf8);
	for (int32 Index = 0; Index < Text.Len(); ++Index)
	{
		const TCHAR Ch = Text[Index];
		Utf16.push_back(static_cast<char>(Ch & 0xFF));
		Utf16.push_back(static_cast<char>(Ch >> 8));
	}
	EXPECT_EQ(Bytes, Utf16);
}

TEST_F(Capture, WritesNothingWithoutAnOpenPanelOrWithoutAPath)
{
	CaptureTo(Dir / "closed.png");
	EXPECT_TRUE(Files().empty());

	Open();
	Editor.Exec(TEXT("Vantle.Capture"));
	EXPECT_TRUE(Files().empty());

	Editor.Exec(TEXT("Host.CloseTab Vantle.Panel"));
	TickFor(0.01);
	ASSERT_FALSE(Module().PanelTab.IsValid());
	CaptureTo(Dir / "after-close.png");
	EXPECT_TRUE(Files().empty());
}

TEST_F(Capture, AnImageThatCannotBeSavedStillLeavesTheOtherFiles)
{
	Open();
	// The host refuses formats other than PNG, and names no format ".foo": no image, the rest is written.
	CaptureTo(Dir / "x.bmp");
	CaptureTo(Dir / "x.foo");
	EXPECT_EQ(Files(), (std::vector<std::string>{"x.bmp.txt", "x.bmp.window.png", "x.foo.txt", "x.foo.window.png"}));
	EXPECT_EQ(ReadFile(Dir / "x.foo.txt"), ExpectedStatus());

	// A folder in the way of one file: that one fails, the others are still written.
	std::filesystem::create_directories(Dir / "blocked" / "a.png");
	std::filesystem::create_directories(Dir / "blocked" / "b.png.txt");
	CaptureTo(Dir / "blocked" / "a.png");
	CaptureTo(Dir / "blocked" / "b.png");
	EXPECT_TRUE(std::filesystem::is_regular_file(Dir / "blocked" / "a.png.txt"));
	EXPECT_TRUE(std::filesystem::is_regular_file(Dir / "blocked" / "a.png.window.png"));
	EXPECT_TRUE(std::filesystem::is_regular_file(Dir / "blocked" / "b.png"));
	EXPECT_TRUE(std::filesystem::is_regular_file(Dir / "blocked" / "b.png.window.png"));
	EXPECT_TRUE(std::filesystem::is_directory(Dir / "blocked" / "b.png.txt"));

	// A folder that cannot be created at all (below a regular file): nothing, and the editor goes on.
	std::ofstream(Dir / "plain-file") << "x";
	CaptureTo(Dir / "plain-file" / "sub" / "c.png");
	EXPECT_TRUE(std::filesystem::is_regular_file(Dir / "plain-file"));
	CaptureTo(Dir / "later.png");
	EXPECT_TRUE(std::filesystem::is_regular_file(Dir / "later.png"));
}

TEST_F(Capture, WindowImageIsMissingWhenTheWindowCannotBeDrawn)
{
	Open();
	// One row taller than the host draws: the window picture (frame included) is refused while the
	// content below the tab well still fits.
	const double ClientHeight = UE::Host::MaxRenderSide - UE::Host::WindowTitleBarHeight - 2 * UE::Host::WindowBorderWidth + 1;
	Window()->Resize(FVector2D(200.0, ClientHeight));
	TArray<FColor> Pixels;
	FIntVector Size;
	EXPECT_FALSE(FSlateApplication::Get().TakeScreenshot(Window(), Pixels, Size));
	EXPECT_TRUE(Pixels.IsEmpty());
	EXPECT_EQ(Size, FIntVector(0, 0, 0));
	CaptureTo(Dir / "tall.png");
	EXPECT_EQ(Files(), (std::vector<std::string>{"tall.png", "tall.png.txt"}));

	// An empty window: neither screenshot can be taken, so nothing at all is written.
	Window()->Resize(FVector2D(0.0, 0.0));
	CaptureTo(Dir / "empty.png");
	EXPECT_EQ(Files(), (std::vector<std::string>{"tall.png", "tall.png.txt"}));
}

TEST_F(Capture, OnlyAShownWindowIsCapturedAsABackgroundTabWritesNothing)
{
	Open();
	const TSharedRef<SWindow> Held = Window();

	// A hidden window is not drawn: neither picture, and so no status text either.
	Held->HideWindow();
	CaptureTo(Dir / "hidden.png");
	EXPECT_TRUE(Files().empty());

	// Content in no window at all, as a background tab's is.
	FSlateApplication::Get().DestroyWindowImmediately(Held);
	ASSERT_FALSE(Tab()->GetParentWindow().IsValid());
	CaptureTo(Dir / "loose.png");
	EXPECT_TRUE(Files().empty());

	// Shown again, the same tab is captured whole.
	FSlateApplication::Get().AddWindow(Held);
	CaptureTo(Dir / "shown.png");
	EXPECT_EQ(Files(), (std::vector<std::string>{"shown.png", "shown.png.txt", "shown.png.window.png"}));
}

TEST_F(Capture, PaletteColoursArriveAsTheirSrgbBytes)
{
	Open();
	CaptureTo(Dir / "panel.png");
	const FImage Image = Load(Dir / "panel.png");
	ASSERT_GT(Image.Size.X, 40);
	const FSlateRect Content = ContentRect();
	auto Local = [&Content](const FSlateRect& Rect) { return FSlateRect(Rect.Left - Content.Left, Rect.Top - Content.Top, Rect.Right - Content.Left, Rect.Bottom - Content.Top); };

	// The background border's padding: nothing but the background colour.
	EXPECT_EQ(Hex(Image.At(4, 4)), "0D0F11FF");
	EXPECT_EQ(Hex(Image.At(Image.Size.X / 2, 8)), "0D0F11FF");

	// Inside the card's padding: its fill, away from the outline and the rounded corners.
	const FSlateRect Card = Local(RectOf([](const SWidget& Widget)
		{
			const SBorder* Border = dynamic_cast<const SBorder*>(&Widget);
			return Border && Border->GetBorderImage() == &Vantle::CardBrush;
		}));
	ASSERT_GT(Card.Right - Card.Left, 20.0f);
	const int32 CardLeft = std::lround(Card.Left);
	const int32 CardTop = std::lround(Card.Top);
	EXPECT_EQ(Hex(Image.At(CardLeft + 6, CardTop + 6)), "15181BFF");
	EXPECT_EQ(Hex(Image.At(CardLeft + 6, CardTop + 2)), "15181BFF");
	// Its one-unit outline on the straight part of the top edge.
	EXPECT_EQ(Hex(Image.At(CardLeft + 20, CardTop)), "293036FF");

	// The section label is accent text: its fully covered pixels are exactly the accent colour.
	const FSlateRect Label = Local(RectOf([](const SWidget& Widget)
		{
			const STextBlock* Text = dynamic_cast<const STextBlock*>(&Widget);
			return Text && Text->GetText().ToString() == TEXT("01  /  SEQUENCER");
		}));
	int32 AccentPixels = 0;
	for (int32 Y = std::lround(Label.Top); Y < std::lround(Label.Bottom); ++Y)
	{
		for (int32 X = std::lround(Label.Left); X < std::lround(Label.Right); ++X)
		{
			AccentPixels += Image.At(X, Y) == FColor(0x3C, 0xFF, 0x91) ? 1 : 0;
		}
	}
	EXPECT_GT(AccentPixels, 10);

	// The first button, "Fix references", has the primary style at rest: its outline is the accent
	// at 0.55 over the background.
	auto ButtonPixel = [&](const FImage& Picture, bool bOutline)
	{
		const FSlateRect Button = Local(RectOf([](const SWidget& Widget) { return dynamic_cast<const SButton*>(&Widget) != nullptr; }));
		return bOutline ? Picture.At(std::lround(Button.Left), std::lround((Button.Top + Button.Bottom) * 0.5f))
						: Picture.At(std::lround(Button.Left) + 3, std::lround(Button.Top) + 3);
	};
	const FColor Outline = ButtonPixel(Image, true);
	EXPECT_TRUE(Near(Outline, Blend(FColor(0x3C, 0xFF, 0x91), 140.0 / 255.0, FColor(0x0D, 0x0F, 0x11)), 1)) << Hex(Outline);
	EXPECT_EQ(Hex(ButtonPixel(Image, false)), "10251BFF");

	// Without a sequence the same button is disabled: the next picture has the disabled brushes.
	FString Error;
	ASSERT_TRUE(UE::Host::FocusSequence(FString(), Error));
	Module().RefreshReport();
	CaptureTo(Dir / "disabled.png");
	const FImage Disabled = Load(Dir / "disabled.png");
	EXPECT_EQ(Hex(ButtonPixel(Disabled, false)), "15181BFF");
	EXPECT_EQ(Hex(ButtonPixel(Disabled, true)), "293036FF");
}

TEST_F(Capture, PanelMatchesTheGoldenImageWithAllRowsInView)
{
	// The showcase scene as booted, the MCP monitor before any check, the window tall enough for the
	// whole column (the default 560 x 480 cuts it off after the action buttons).
	Module().McpWatcher->State = static_cast<int32>(EMcpState::Idle);
	Open();
	ASSERT_TRUE(UE::Host::ResizeTab(PanelId, GoldenClientSize));
	const FSlateRect Footer = RectOf([](const SWidget& Widget) { return TextOf(Widget) == FooterText; });
	const FSlateRect McpRow = RectOf([](const SWidget& Widget) { return TextOf(Widget) == TEXT("02  /  UNREAL MCP"); });
	EXPECT_GT(Footer.Top, McpRow.Bottom);
	EXPECT_LE(Footer.Bottom, GoldenClientSize.Y) << "the last row lies outside the window";

	CaptureTo(Dir / "panel.png");
	const std::filesystem::path GoldenPath = std::filesystem::path(VANTLE_SOURCE_DIR) / "Tests/Golden/Panel.png";
	ASSERT_TRUE(std::filesystem::exists(GoldenPath)) << "no golden image; run Scripts/update-golden.sh";
	const FImage Golden = Load(GoldenPath);
	const FImage Actual = Load(Dir / "panel.png");
	ASSERT_EQ(Actual.Size, Golden.Size) << "the panel's size changed; if on purpose, run Scripts/update-golden.sh";
	EXPECT_LE(CountDifferingPixels(Actual, Golden), GoldenMaxDifferingPixels) << "if the change is intended, run Scripts/update-golden.sh";

	// The comparison still sees one glyph of the smallest label: the footer's full stop as a comma.
	STextBlock* FooterBlock = nullptr;
	for (const UE::Host::FArrangedWidgetRecord& Record : UE::Host::ArrangeTab(PanelId))
	{
		const TSharedPtr<SWidget> Widget = Record.Widget.Pin();
		FooterBlock = Widget.IsValid() && TextOf(*Widget) == FooterText ? static_cast<STextBlock*>(Widget.Get()) : FooterBlock;
	}
	ASSERT_NE(FooterBlock, nullptr);
	FooterBlock->SetText(FText::FromString(TEXT("Focused sequence only. No automatic saving,")));
	CaptureTo(Dir / "changed.png");
	const int64 Differing = CountDifferingPixels(Load(Dir / "changed.png"), Golden);
	EXPECT_GT(Differing, GoldenMaxDifferingPixels);
	// Everything but the changed glyph is as golden: the difference sits in the footer's bounds.
	EXPECT_LT(Differing, 200);
}
