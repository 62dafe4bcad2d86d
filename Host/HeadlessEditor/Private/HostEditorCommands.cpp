// Copyright Vantle contributors. All Rights Reserved.
#include "Editor.h"
#include "Editor/EditorEngine.h"
#include "Engine/Engine.h"
#include "HAL/IConsoleManager.h"
#include "HAL/PlatformTime.h"
#include "HostAutomation.h"
#include "HostEditor.h"
#include "HostHttp.h"
#include "HostScene.h"
#include "HostSlate.h"
#include "HostSlateRenderer.h"
#include "HostToolMenus.h"
#include "ImageUtils.h"
#include "Widgets/Text/STextBlock.h"

#include <algorithm>
#include <cmath>

#include <chrono>
#include <thread>

DEFINE_LOG_CATEGORY_STATIC(LogHeadlessEditor, Log, All);

namespace UE::Host
{
	UWorld* GetEditorWorldForConsole()
	{
		return GEditor ? GEditor->GetEditorWorldContext().World() : nullptr;
	}

	namespace
	{
		constexpr int32 MaxStallSeconds = 600;

		FString JoinArgs(const TArray<FString>& Args)
		{
			return FString::Join(Args, TEXT(" "));
		}

		void Report(bool bOk, const FString& Done, const FString& Error)
		{
			if (bOk)
			{
				UE_LOG(LogHeadlessEditor, Display, TEXT("%s"), *Done);
			}
			else
			{
				UE_LOG(LogHeadlessEditor, Warning, TEXT("%s"), *Error);
			}
		}

		bool SavePicture(const FString& Path, const FRenderedImage& Image)
		{
			return Image.Size.X > 0 && FImageUtils::SaveImageByExtension(*Path, FImageView(Image.Pixels.GetData(), Image.Size.X, Image.Size.Y), 0);
		}

		// Blanks collapsed, so "02 / UNREAL MCP" typed on a console line finds "02  /  UNREAL MCP".
		FString CollapseBlanks(const FString& Text)
		{
			TArray<FString> Words;
			Text.ParseIntoArrayWS(Words);
			return FString::Join(Words, TEXT(" "));
		}

		// The first text block of the layout whose text starts with Prefix (blanks collapsed).
		const FArrangedWidgetRecord* FindTextRecord(const TArray<FArrangedWidgetRecord>& Records, const FString& Prefix)
		{
			const FString Wanted = CollapseBlanks(Prefix);
			return Records.FindByPredicate([&Wanted](const FArrangedWidgetRecord& Record)
				{
					const TSharedPtr<SWidget> Widget = Record.Widget.Pin();
					return Widget && Record.Type == TEXT("STextBlock") && CollapseBlanks(StaticCastSharedPtr<STextBlock>(Widget)->GetText().ToString()).StartsWith(Wanted);
				});
		}

		// Host.CaptureTab TABID PATH [FROM TEXT [| TO TEXT]]: the tab's window content, or the band of
		// it from a little above the text FROM TEXT down to just above the text TO TEXT (else to the end).
		bool CaptureTab(const TArray<FString>& Args, FString& OutDone, FString& OutError)
		{
			if (Args.Num() < 2)
			{
				OutError = TEXT("Host.CaptureTab takes a tab id, a .png path and optionally FROM TEXT | TO TEXT");
				return false;
			}
			const TArray<FArrangedWidgetRecord> Records = ArrangeTab(FName(*Args[0]));
			if (Records.IsEmpty())
			{
				OutError = FString::Printf(TEXT("No open tab %s"), *Args[0]);
				return false;
			}
			double Right = 0.0;
			double Bottom = 0.0;
			for (const FArrangedWidgetRecord& Record : Records)
			{
				Right = std::max(Right, Record.Position.X + Record.Size.X);
				Bottom = std::max(Bottom, Record.Position.Y + Record.Size.Y);
			}
			double Top = 0.0;
			const FString Band = FString::Join(TArray<FString>(Args.GetData() + 2, Args.Num() - 2), TEXT(" "));
			if (!Band.IsEmpty())
			{
				FString From = Band;
				FString To;
				Band.Split(TEXT("|"), &From, &To);
				const FArrangedWidgetRecord* First = FindTextRecord(Records, From.TrimStartAndEnd());
				const FArrangedWidgetRecord* Last = To.TrimStartAndEnd().IsEmpty() ? nullptr : FindTextRecord(Records, To.TrimStartAndEnd());
				if (!First || (!To.TrimStartAndEnd().IsEmpty() && !Last))
				{
					OutError = FString::Printf(TEXT("Tab %s shows no text '%s'"), *Args[0], *(First ? To : From).TrimStartAndEnd());
					return false;
				}
				Top = std::max(0.0, First->Position.Y - 12.0);
				Bottom = Last ? Last->Position.Y - 4.0 : Bottom;
			}
			FRenderedImage Image;
			const FIntRect Area(0, static_cast<int32>(std::lround(Top)), static_cast<int32>(std::lround(Right)), static_cast<int32>(std::lround(Bottom)));
			if (Area.Height() <= 0 || !RenderArrangedWidgets(Records, Area, Image) || !SavePicture(Args[1], Image))
			{
				OutError = FString::Printf(TEXT("Could not write %s"), *Args[1]);
				return false;
			}
			OutDone = FString::Printf(TEXT("Wrote %s (%d x %d)"), *Args[1], Image.Size.X, Image.Size.Y);
			return true;
		}
	}

	void FHeadlessEditor::RegisterHostCommands()
	{
		for (FHostCommand& Command : MakeHostCommands(this))
		{
			HostCommands.Add(MakeUnique<FAutoConsoleCommand>(*Command.Name, *Command.Help, FConsoleCommandWithArgsDelegate::CreateLambda(std::move(Command.Handler))));
		}
	}

	TArray<FHeadlessEditor::FHostCommand> FHeadlessEditor::MakeHostCommands(FHeadlessEditor* Self)
	{
		TArray<FHostCommand> Commands;
		auto Add = [&Commands](const TCHAR* Name, const TCHAR* Help, TFunction<void(const TArray<FString>&)> Handler)
		{
			Commands.Add(FHostCommand{Name, Help, std::move(Handler)});
		};

		Add(TEXT("Quit"), TEXT("Quit the headless editor."), [Self](const TArray<FString>&) { Self->bQuitRequested = true; });

		Add(TEXT("Automation"), TEXT("Run automation tests: Automation RunTests FILTER[+FILTER] | Automation List"), [Self](const TArray<FString>& Args)
			{
				Self->Automation->Exec(Args);
			});

		Add(TEXT("Host.LoadScene"), TEXT("Replace the open scene: Host.LoadScene PATH"), [](const TArray<FString>& Args)
			{
				FString Error;
				const FString Path = JoinArgs(Args);
				// Loaded first: the error text must be read after the load wrote it.
				const bool bLoaded = !Path.IsEmpty() && LoadSceneFile(Path, Error);
				Report(bLoaded, FString::Printf(TEXT("Scene loaded: %s"), *Path), Path.IsEmpty() ? FString(TEXT("Host.LoadScene needs a path")) : Error);
			});

		Add(TEXT("Host.Focus"), TEXT("Focus a sequence in Sequencer: Host.Focus [PATH]"), [](const TArray<FString>& Args)
			{
				FString Error;
				const FString Path = JoinArgs(Args);
				Report(FocusSequence(Path, Error), Path.IsEmpty() ? FString(TEXT("No sequence has focus")) : FString::Printf(TEXT("Focused %s"), *Path), Error);
			});

		Add(TEXT("Host.PIE"), TEXT("Host.PIE Start | Host.PIE Stop"), [](const TArray<FString>& Args)
			{
				const FString Mode = Args.Num() == 1 ? Args[0] : FString();
				if (Mode != TEXT("Start") && Mode != TEXT("Stop"))
				{
					UE_LOG(LogHeadlessEditor, Warning, TEXT("Host.PIE takes Start or Stop"));
					return;
				}
				const bool bStart = Mode == TEXT("Start");
				Report(SetPlayInEditor(bStart), bStart ? FString(TEXT("Play-In-Editor started")) : FString(TEXT("Play-In-Editor stopped")),
					FString(TEXT("Play-In-Editor needs an editor world")));
			});

		Add(TEXT("Host.Spawn"), TEXT("Add a live actor: Host.Spawn LABEL"), [](const TArray<FString>& Args)
			{
				FString Error;
				const FString Label = JoinArgs(Args);
				Report(SpawnActor(Label, Error), FString::Printf(TEXT("Spawned %s"), *Label), Error);
			});

		Add(TEXT("Host.Destroy"), TEXT("Mark an actor garbage: Host.Destroy LABEL"), [](const TArray<FString>& Args)
			{
				FString Error;
				const FString Label = JoinArgs(Args);
				Report(DestroyActor(Label, Error), FString::Printf(TEXT("Destroyed %s"), *Label), Error);
			});

		Add(TEXT("Host.Wait"), TEXT("Keep ticking before the next command: Host.Wait SECONDS"), [Self](const TArray<FString>& Args)
			{
				const FString Text = Args.Num() == 1 ? Args[0] : FString();
				const double Seconds = Text.IsNumeric() ? FCString::Atod(*Text) : -1.0;
				if (!(Seconds >= 0.0 && Seconds <= 3600.0))
				{
					UE_LOG(LogHeadlessEditor, Warning, TEXT("Host.Wait takes a number of seconds from 0 to 3600"));
					return;
				}
				Self->WaitUntil = FPlatformTime::Seconds() + Seconds;
			});

		Add(TEXT("Host.Stall"), TEXT("Block the game thread like an editor hitch: Host.Stall SECONDS"), [](const TArray<FString>& Args)
			{
				const FString Text = Args.Num() == 1 ? Args[0] : FString();
				const double Seconds = Text.IsNumeric() ? FCString::Atod(*Text) : -1.0;
				if (!(Seconds >= 0.0 && Seconds <= MaxStallSeconds))
				{
					UE_LOG(LogHeadlessEditor, Warning, TEXT("Host.Stall takes a number of seconds from 0 to %d"), MaxStallSeconds);
					return;
				}
				// Nothing ticks meanwhile: no HTTP completion, no server answer, no Slate frame.
				std::this_thread::sleep_for(std::chrono::duration<double>(Seconds));
				UE_LOG(LogHeadlessEditor, Display, TEXT("Stalled the game thread for %s s"), *Text);
			});

		Add(TEXT("Host.Http"), TEXT("Host.Http On | Host.Http Off"), [](const TArray<FString>& Args)
			{
				const FString Mode = Args.Num() == 1 ? Args[0] : FString();
				if (Mode != TEXT("On") && Mode != TEXT("Off"))
				{
					UE_LOG(LogHeadlessEditor, Warning, TEXT("Host.Http takes On or Off"));
					return;
				}
				SetHttpEnabled(Mode == TEXT("On"));
				UE_LOG(LogHeadlessEditor, Display, TEXT("HTTP %s"), IsHttpEnabled() ? TEXT("enabled") : TEXT("disabled: requests are refused"));
			});

		Add(TEXT("Host.Click"), TEXT("Click the enabled button labelled TEXT in an open tab: Host.Click TEXT"), [](const TArray<FString>& Args)
			{
				const FString Label = JoinArgs(Args);
				switch (ClickButton(Label))
				{
				case EClickResult::Clicked:
					UE_LOG(LogHeadlessEditor, Display, TEXT("Clicked '%s'"), *Label);
					break;
				case EClickResult::Disabled:
					UE_LOG(LogHeadlessEditor, Warning, TEXT("Button '%s' is disabled; nothing clicked"), *Label);
					break;
				default:
					UE_LOG(LogHeadlessEditor, Warning, TEXT("No button '%s' in an open tab"), *Label);
					break;
				}
			});

		Add(TEXT("Host.CloseTab"), TEXT("Close an open tab: Host.CloseTab TABID"), [](const TArray<FString>& Args)
			{
				const FString TabId = JoinArgs(Args);
				Report(!TabId.IsEmpty() && CloseTab(FName(*TabId)), FString::Printf(TEXT("Closed %s"), *TabId), FString::Printf(TEXT("No open tab %s"), *TabId));
			});

		Add(TEXT("Host.ResizeTab"), TEXT("Size the window of an open tab: Host.ResizeTab TABID WIDTH HEIGHT"), [](const TArray<FString>& Args)
			{
				auto ParseSide = [](const FString& Text, int32& Out)
				{
					if (Text.IsEmpty() || Text.Len() > 5)
					{
						return false;
					}
					for (int32 Index = 0; Index < Text.Len(); ++Index)
					{
						if (Text[Index] < TEXT('0') || Text[Index] > TEXT('9'))
						{
							return false;
						}
					}
					Out = FCString::Atoi(*Text);
					return Out >= 1 && Out <= MaxResizeSide;
				};
				int32 Width = 0;
				int32 Height = 0;
				if (Args.Num() != 3 || !ParseSide(Args[1], Width) || !ParseSide(Args[2], Height))
				{
					UE_LOG(LogHeadlessEditor, Warning, TEXT("Host.ResizeTab takes a tab id and a width and height from 1 to %d"), MaxResizeSide);
					return;
				}
				Report(ResizeTab(FName(*Args[0]), FVector2D(Width, Height)), FString::Printf(TEXT("Resized %s to %d x %d"), *Args[0], Width, Height),
					FString::Printf(TEXT("No open tab %s"), *Args[0]));
			});

		Add(TEXT("Host.DumpWidgets"), TEXT("Print the widget tree of open tabs: Host.DumpWidgets [TABID]"), [](const TArray<FString>& Args)
			{
				const FString TabId = JoinArgs(Args);
				const TArray<FString> Lines = TabId.IsEmpty() ? DumpWidgets() : DumpWidgets(FName(*TabId));
				if (Lines.IsEmpty())
				{
					UE_LOG(LogHeadlessEditor, Warning, TEXT("No open tab%s%s"), TabId.IsEmpty() ? TEXT("") : TEXT(" "), *TabId);
				}
				for (const FString& Line : Lines)
				{
					UE_LOG(LogHeadlessEditor, Display, TEXT("%s"), *Line);
				}
			});

		Add(TEXT("Host.Menu"), TEXT("List a tool menu's entries, or run one: Host.Menu MENU [ENTRY]"), [](const TArray<FString>& Args)
			{
				if (Args.IsEmpty() || Args.Num() > 2)
				{
					UE_LOG(LogHeadlessEditor, Warning, TEXT("Host.Menu takes a menu name and an optional entry name"));
					return;
				}
				if (Args.Num() == 1)
				{
					const TArray<FString> Lines = DescribeMenu(Args[0]);
					if (Lines.IsEmpty())
					{
						UE_LOG(LogHeadlessEditor, Display, TEXT("Menu %s has no entries"), *Args[0]);
					}
					for (const FString& Line : Lines)
					{
						UE_LOG(LogHeadlessEditor, Display, TEXT("%s"), *Line);
					}
					return;
				}
				FString Error;
				Report(RunMenuEntry(Args[0], Args[1], Error), FString::Printf(TEXT("Ran %s %s"), *Args[0], *Args[1]), Error);
			});

		Add(TEXT("Host.CaptureMenu"), TEXT("Draw a tool menu or tool bar as shown now to a PNG: Host.CaptureMenu MENU PATH"), [](const TArray<FString>& Args)
			{
				if (Args.Num() != 2)
				{
					UE_LOG(LogHeadlessEditor, Warning, TEXT("Host.CaptureMenu takes a menu name and a .png path"));
					return;
				}
				const TSharedPtr<SWidget> Widget = BuildMenuWidget(Args[0]);
				FRenderedImage Image;
				if (!Widget)
				{
					UE_LOG(LogHeadlessEditor, Warning, TEXT("Menu %s is not registered"), *Args[0]);
					return;
				}
				const bool bWritten = RenderWidgetAlone(Widget.ToSharedRef(), Image) && SavePicture(Args[1], Image);
				Report(bWritten, FString::Printf(TEXT("Wrote %s (%d x %d)"), *Args[1], Image.Size.X, Image.Size.Y), FString::Printf(TEXT("Could not write %s"), *Args[1]));
			});

		Add(TEXT("Host.CaptureTab"), TEXT("Draw an open tab, or the band FROM TEXT | TO TEXT of it, to a PNG: Host.CaptureTab TABID PATH [FROM | TO]"),
			[](const TArray<FString>& Args)
			{
				FString Done;
				FString Error;
				Report(CaptureTab(Args, Done, Error), Done, Error);
			});
		return Commands;
	}
}
