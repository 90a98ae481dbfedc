#!/usr/bin/env python3
"""Prints every UDP datagram to port 8800 seen on this network namespace's interfaces.

One line per datagram: the sender's address, a space, the payload in hex. Runs until killed.
Reads raw IPv4 packets, so it needs no bind and leaves port 8800 to the program.
"""
import socket
import struct
import sys

ETH_P_IP = 0x0800


def main() -> None:
    sock = socket.socket(socket.AF_PACKET, socket.SOCK_DGRAM, socket.htons(ETH_P_IP))
    print("ready", flush=True)
    while True:
        packet, address = sock.recvfrom(65535)
        if address[2] == socket.PACKET_OUTGOING or len(packet) < 20:
            continue
        header_length = (packet[0] & 0x0F) * 4
        if packet[9] != socket.IPPROTO_UDP or len(packet) < header_length + 8:
            continue
        _, destination_port, length, _ = struct.unpack("!HHHH", packet[header_length:header_length + 8])
        if destination_port != 8800:
            continue
        payload = packet[header_length + 8:header_length + length]
        source = socket.inet_ntoa(packet[12:16])
        print(source, payload.hex(), flush=True)


if __name__ == "__main__":
    try:
        main()
    except KeyboardInterrupt:
        sys.exit(0)
