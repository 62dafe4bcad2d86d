// Copyright Vantle contributors. All Rights Reserved.
#include "ModelContextProtocol.h"

#include "HAL/IConsoleManager.h"
#include "HostModelContextProtocol.h"
#include "McpServer.h"
#include "Modules/ModuleInterface.h"
#include "Modules/ModuleManager.h"
#include "Templates/UniquePtr.h"

DEFINE_LOG_CATEGORY(LogModelContextProtocol);

namespace
{
	constexpr int32 GDefaultPort = 8000;
}

// The MCP server plugin's module: its console commands and the server they drive.
class FModelContextProtocolModule final : public IModuleInterface
{
public:
	// Registers "ModelContextProtocol.StartServer" and "ModelContextProtocol.StopServer".
	void StartupModule() override
	{
		StartServerCommand = MakeUnique<FAutoConsoleCommand>(TEXT("ModelContextProtocol.StartServer"),
			TEXT("Starts the MCP server on the given port (default 8000): ModelContextProtocol.StartServer [port]"),
			FConsoleCommandWithArgsDelegate::CreateRaw(this, &FModelContextProtocolModule::HandleStartServer), ECVF_Cheat);
		StopServerCommand = MakeUnique<FAutoConsoleCommand>(TEXT("ModelContextProtocol.StopServer"), TEXT("Stops the MCP server; the HTTP listener keeps its port."),
			FConsoleCommandWithArgsDelegate::CreateRaw(this, &FModelContextProtocolModule::HandleStopServer), ECVF_Cheat);
	}

	// Unbinds the routes and removes the commands; the HTTP server module owns the listener.
	void ShutdownModule() override
	{
		StartServerCommand.Reset();
		StopServerCommand.Reset();
		Server.Stop();
	}

	const FMcpServer& GetServer() const { return Server; }

private:
	void HandleStartServer(const TArray<FString>& Args)
	{
		const int32 Port = Args.Num() > 0 ? FCString::Atoi(*Args[0]) : GDefaultPort;
		if (Port < 1 || Port > 65535)
		{
			UE_LOG(LogModelContextProtocol, Warning, TEXT("Invalid port %d. Must be 1-65535."), Port);
			return;
		}
		Server.Start(static_cast<uint32>(Port));
	}

	void HandleStopServer(const TArray<FString>& Args)
	{
		if (!Server.IsRunning())
		{
			UE_LOG(LogModelContextProtocol, Log, TEXT("MCP server is not running."));
			return;
		}
		const uint32 Port = Server.GetPort();
		Server.Stop();
		UE_LOG(LogModelContextProtocol, Log, TEXT("Stopped MCP server on port %u."), Port);
	}

	FMcpServer Server;
	TUniquePtr<FAutoConsoleCommand> StartServerCommand;
	TUniquePtr<FAutoConsoleCommand> StopServerCommand;
};

IMPLEMENT_MODULE(FModelContextProtocolModule, ModelContextProtocol)

namespace
{
	const FMcpServer* FindServer()
	{
		const FModelContextProtocolModule* Module = FModuleManager::GetModulePtr<FModelContextProtocolModule>(TEXT("ModelContextProtocol"));
		return Module ? &Module->GetServer() : nullptr;
	}
}

namespace UE::Host
{
	uint32 GetMcpServerPort()
	{
		const FMcpServer* Server = FindServer();
		return Server ? Server->GetPort() : 0;
	}

	bool AreMcpRoutesBound()
	{
		const FMcpServer* Server = FindServer();
		return Server && Server->AreRoutesBound();
	}

	int32 GetMcpSessionCount()
	{
		const FMcpServer* Server = FindServer();
		return Server ? Server->GetSessionCount() : 0;
	}
}
