// Copyright Vantle contributors. All Rights Reserved.
#include "HostHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace UE::Host
{
	uint32 FindFreeLoopbackPort()
	{
		const int Socket = socket(AF_INET, SOCK_STREAM, 0);
		if (Socket < 0)
		{
			return 0;
		}
		sockaddr_in Address{};
		Address.sin_family = AF_INET;
		Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
		socklen_t Length = sizeof(Address);
		uint32 Port = 0;
		if (bind(Socket, reinterpret_cast<const sockaddr*>(&Address), sizeof(Address)) == 0
			&& getsockname(Socket, reinterpret_cast<sockaddr*>(&Address), &Length) == 0)
		{
			Port = ntohs(Address.sin_port);
		}
		close(Socket);
		return Port;
	}
}
