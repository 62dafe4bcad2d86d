// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Ticker.h"
#include "HostCore.h"
#include "HostHttp.h"
#include "HostHttpServer.h"
#include "HttpModule.h"
#include "Interfaces/IHttpRequest.h"
#include "Interfaces/IHttpResponse.h"
#include "Modules/ModuleManager.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// What a completion delegate saw, from any thread.
struct FCompletionLog
{
	struct FCall
	{
		FHttpRequestPtr Request;
		FHttpResponsePtr Response;
		bool bConnectedSuccessfully = false;
		std::thread::id Thread;
	};

	void Bind(const FHttpRequestRef& Request)
	{
		Request->OnProcessRequestComplete().BindLambda(
			[this](FHttpRequestPtr InRequest, FHttpResponsePtr InResponse, bool bConnected)
			{
				std::lock_guard<std::mutex> Guard(Mutex);
				Calls.push_back(FCall{InRequest, InResponse, bConnected, std::this_thread::get_id()});
			});
	}
	size_t Count() const
	{
		std::lock_guard<std::mutex> Guard(Mutex);
		return Calls.size();
	}
	FCall First() const
	{
		std::lock_guard<std::mutex> Guard(Mutex);
		return Calls.empty() ? FCall{} : Calls.front();
	}

	mutable std::mutex Mutex;
	std::vector<FCall> Calls;
};

// Loads the HTTP module for each test and checks that unloading it leaves no ticker behind.
class FHttpTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		GameThread = std::this_thread::get_id();
		BaselineTickers = UE::Host::GetActiveTickerCount(FTSTicker::GetCoreTicker());
		ASSERT_NE(FModuleManager::Get().LoadModule(TEXT("HTTP")), nullptr);
		EXPECT_EQ(UE::Host::GetActiveTickerCount(FTSTicker::GetCoreTicker()), BaselineTickers + 1);
	}

	void TearDown() override
	{
		FModuleManager::Get().UnloadModule(TEXT("HTTP"));
		EXPECT_EQ(UE::Host::GetActiveTickerCount(FTSTicker::GetCoreTicker()), BaselineTickers);
	}

	// Ticks the core ticker, as the engine loop does, until Done holds; false at the deadline.
	static bool TickUntil(const std::function<bool()>& Done, bool bTick = true)
	{
		const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
		while (!Done())
		{
			if (std::chrono::steady_clock::now() > Deadline)
			{
				return false;
			}
			if (bTick)
			{
				FTSTicker::GetCoreTicker().Tick(0.001f);
			}
			std::this_thread::sleep_for(std::chrono::milliseconds(1));
		}
		return true;
	}

	// Waits without ticking; false at the deadline.
	static bool WaitUntil(const std::function<bool()>& Done) { return TickUntil(Done, false); }

	static FHttpRequestRef MakeRequest(const std::string& Verb, const std::string& Url)
	{
		const FHttpRequestRef Request = FHttpModule::Get().CreateRequest();
		Request->SetVerb(FString(Verb.c_str()));
		Request->SetURL(FString(Url.c_str()));
		return Request;
	}

	// A loopback URL where nothing listens, so connecting is refused.
	static std::string RefusingUrl(const std::string& Path)
	{
		return "http://127.0.0.1:" + std::to_string(UE::Host::FindFreeLoopbackPort()) + Path;
	}

	std::thread::id GameThread;
	int32 BaselineTickers = 0;
};
