// Copyright Vantle contributors. All Rights Reserved.
#include "McpTestSupport.h"

#include "Containers/Ticker.h"
#include "HostHttpServer.h"
#include "Misc/OutputDeviceRedirector.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace McpTest
{
	namespace
	{
		constexpr size_t MaxReplyBytes = 4 * 1024 * 1024;
		// The test's main thread stands in for the game thread: it alone ticks the core ticker.
		const std::thread::id GGameThread = std::this_thread::get_id();

		sockaddr_in Loopback(uint32 Port)
		{
			sockaddr_in Address{};
			Address.sin_family = AF_INET;
			Address.sin_port = htons(static_cast<uint16_t>(Port));
			Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
			return Address;
		}

		void SetTimeouts(int Socket, int Seconds)
		{
			timeval Timeout{};
			Timeout.tv_sec = Seconds;
			setsockopt(Socket, SOL_SOCKET, SO_RCVTIMEO, &Timeout, sizeof(Timeout));
			setsockopt(Socket, SOL_SOCKET, SO_SNDTIMEO, &Timeout, sizeof(Timeout));
		}

		std::string Lower(std::string Text)
		{
			std::transform(Text.begin(), Text.end(), Text.begin(), [](unsigned char Ch) { return static_cast<char>(std::tolower(Ch)); });
			return Text;
		}

		std::string Trim(const std::string& Text)
		{
			const size_t First = Text.find_first_not_of(" \t");
			if (First == std::string::npos)
			{
				return std::string();
			}
			const size_t Last = Text.find_last_not_of(" \t\r");
			return Text.substr(First, Last - First + 1);
		}

		// An answer with a length is complete once that much body arrived; the server may keep
		// the connection open after it (it does after a request line it cannot read).
		bool IsComplete(const std::string& Raw)
		{
			const size_t HeaderEnd = Raw.find("\r\n\r\n");
			if (HeaderEnd == std::string::npos)
			{
				return false;
			}
			const std::string Head = Lower(Raw.substr(0, HeaderEnd));
			const size_t Length = Head.find("\r\ncontent-length:");
			if (Length == std::string::npos)
			{
				return false;
			}
			const size_t Expected = std::strtoul(Head.c_str() + Length + 17, nullptr, 10);
			return Raw.size() - (HeaderEnd + 4) >= Expected;
		}

		FHttpReply Parse(const std::string& Raw)
		{
			FHttpReply Reply;
			const size_t HeaderEnd = Raw.find("\r\n\r\n");
			if (HeaderEnd == std::string::npos || Raw.compare(0, 9, "HTTP/1.1 ") != 0)
			{
				return Reply;
			}
			size_t LineStart = Raw.find("\r\n") + 2;
			while (LineStart < HeaderEnd)
			{
				const size_t LineEnd = Raw.find("\r\n", LineStart);
				const std::string Line = Raw.substr(LineStart, LineEnd - LineStart);
				const size_t Colon = Line.find(':');
				if (Colon != std::string::npos)
				{
					Reply.Headers.emplace_back(Lower(Trim(Line.substr(0, Colon))), Trim(Line.substr(Colon + 1)));
				}
				LineStart = LineEnd + 2;
			}
			Reply.Body = Raw.substr(HeaderEnd + 4);
			const std::string Length = Reply.Header("content-length");
			if (!Length.empty() && std::to_string(Reply.Body.size()) != Length)
			{
				// Cut short: not an answer the test can judge.
				return FHttpReply();
			}
			Reply.Status = std::atoi(Raw.substr(9, 3).c_str());
			return Reply;
		}
	}

	void FLogCapture::Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category)
	{
		std::lock_guard<std::mutex> Guard(Mutex);
		Captured.push_back(FLogLine{Category.ToString(), ELogVerbosity::Type(Verbosity & ELogVerbosity::VerbosityMask), FString(V)});
	}

	std::vector<FLogLine> FLogCapture::Lines() const
	{
		GLog->FlushThreadedLogs();
		std::lock_guard<std::mutex> Guard(Mutex);
		return Captured;
	}

	std::vector<int32> FLogCapture::Matches(const TCHAR* Category, ELogVerbosity::Type Verbosity, const FString& Text) const
	{
		std::vector<int32> Result;
		const std::vector<FLogLine> All = Lines();
		for (size_t Index = 0; Index < All.size(); ++Index)
		{
			if (All[Index].Category == Category && All[Index].Verbosity == Verbosity && All[Index].Text.Equals(Text, ESearchCase::CaseSensitive))
			{
				Result.push_back(static_cast<int32>(Index));
			}
		}
		return Result;
	}

	std::string FHttpReply::Header(const std::string& LowerName) const
	{
		for (const auto& Header : Headers)
		{
			if (Header.first == LowerName)
			{
				return Header.second;
			}
		}
		return std::string();
	}

	FHttpReply SendRawBlocking(uint32 Port, const std::string& Bytes)
	{
		const int Socket = socket(AF_INET, SOCK_STREAM, 0);
		if (Socket < 0)
		{
			return FHttpReply();
		}
		SetTimeouts(Socket, 10);
		const sockaddr_in Address = Loopback(Port);
		std::string Raw;
		if (connect(Socket, reinterpret_cast<const sockaddr*>(&Address), sizeof(Address)) == 0)
		{
			size_t Sent = 0;
			while (Sent < Bytes.size())
			{
				const ssize_t Written = send(Socket, Bytes.data() + Sent, Bytes.size() - Sent, MSG_NOSIGNAL);
				if (Written <= 0)
				{
					break;
				}
				Sent += static_cast<size_t>(Written);
			}
			char Buffer[8192];
			while (Raw.size() < MaxReplyBytes && !IsComplete(Raw))
			{
				const ssize_t Read = recv(Socket, Buffer, sizeof(Buffer), 0);
				if (Read <= 0)
				{
					break;
				}
				Raw.append(Buffer, static_cast<size_t>(Read));
			}
		}
		close(Socket);
		return Parse(Raw);
	}

	FHttpReply SendRaw(uint32 Port, const std::string& Bytes)
	{
		if (std::this_thread::get_id() != GGameThread)
		{
			return SendRawBlocking(Port, Bytes);
		}
		// The server answers only while the game thread ticks, so the exchange runs beside it.
		FHttpReply Reply;
		std::atomic<bool> bDone{false};
		std::vector<std::thread> Client;
		Client.emplace_back(
			[&]
			{
				Reply = SendRawBlocking(Port, Bytes);
				bDone.store(true);
			});
		JoinTicking(Client, [&] { return bDone.load(); });
		return Reply;
	}

	void JoinTicking(std::vector<std::thread>& Threads, const std::function<bool()>& AllDone)
	{
		while (!AllDone())
		{
			FTSTicker::GetCoreTicker().Tick(0.001f);
			std::this_thread::sleep_for(std::chrono::milliseconds(1));
		}
		for (std::thread& Thread : Threads)
		{
			Thread.join();
		}
	}

	FHttpReply SendHttp(uint32 Port, const std::string& Method, const std::string& Path, const std::string& Body, const FHeaderList& Headers)
	{
		std::string Request = Method + " " + Path + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(Port) + "\r\nConnection: close\r\n";
		for (const auto& Header : Headers)
		{
			Request += Header.first + ": " + Header.second + "\r\n";
		}
		if (!Body.empty() || Method == "POST")
		{
			Request += "Content-Length: " + std::to_string(Body.size()) + "\r\n";
		}
		Request += "\r\n" + Body;
		return SendRaw(Port, Request);
	}

	FHttpReply PostMcp(uint32 Port, const std::string& Json, const FHeaderList& ExtraHeaders)
	{
		FHeaderList Headers = {{"Content-Type", "application/json"}, {"Accept", "application/json, text/event-stream"}};
		Headers.insert(Headers.end(), ExtraHeaders.begin(), ExtraHeaders.end());
		return SendHttp(Port, "POST", "/mcp", Json, Headers);
	}

	uint32 FindFreePort()
	{
		return UE::Host::FindFreeLoopbackPort();
	}

	bool CanConnect(uint32 Port)
	{
		const int Socket = socket(AF_INET, SOCK_STREAM, 0);
		if (Socket < 0)
		{
			return false;
		}
		SetTimeouts(Socket, 5);
		const sockaddr_in Address = Loopback(Port);
		const bool bConnected = connect(Socket, reinterpret_cast<const sockaddr*>(&Address), sizeof(Address)) == 0;
		close(Socket);
		return bConnected;
	}

	FPortHolder::FPortHolder(uint32 Port, bool bShareable)
	{
		Socket = socket(AF_INET, SOCK_STREAM, 0);
		if (Socket >= 0 && bShareable)
		{
			int Yes = 1;
			setsockopt(Socket, SOL_SOCKET, SO_REUSEADDR, &Yes, sizeof(Yes));
			setsockopt(Socket, SOL_SOCKET, SO_REUSEPORT, &Yes, sizeof(Yes));
		}
		const sockaddr_in Address = Loopback(Port);
		if (Socket >= 0 && (bind(Socket, reinterpret_cast<const sockaddr*>(&Address), sizeof(Address)) != 0 || listen(Socket, 4) != 0))
		{
			close(Socket);
			Socket = -1;
		}
	}

	FPortHolder::~FPortHolder()
	{
		if (Socket >= 0)
		{
			close(Socket);
		}
	}
}
