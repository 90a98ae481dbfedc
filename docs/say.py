# Sends one chat datagram from a loopback address to port 8800 of this host, for the scripts that
# take the README's pictures: say.py SOURCE KIND COLOUR NICK TEXT
import socket, sys
source, kind, colour, nick, text = sys.argv[1:]
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind((source, 0))
s.sendto((kind + colour + nick + ";" + text).encode("cp1251"), ("127.0.0.1", 8800))
