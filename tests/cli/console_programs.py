#!/usr/bin/env python3
"""End-to-end test of the console programs in a network namespace of the test's own: the exact
datagrams lirbo-send puts on the wire (public, private, Cyrillic from UTF-8, standard input), its
refusals with status 2 and its failing entries with status 1 while the others are still sent; and
lirbo-listen's plain and JSON lines, the datagrams it drops, and a taken port.

Usage: console_programs.py LIRBO_SEND LIRBO_LISTEN. Needs root and unshare; exits 77 (skipped) without.
"""
import json
import os
import re
import socket
import subprocess
import sys
import tempfile
import threading
import queue

from lirbo_harness import SKIP, Failure, cannot_run, expect, report, rerun_in_own_network_namespace

ANN = "Аня".encode("cp1251")
TIME = r"\d{4}-\d\d-\d\d \d\d:\d\d:\d\d"
BOUND = "Could not bind socket. Address and port are already in use."

# (what, arguments, standard input, exit status, datagrams at 127.0.0.1, at 127.0.0.2, text on
# standard error). The settings file in the work folder: nick Аня, colour 3, peers 127.0.0.1,
# nosuchhost.invalid (no such name) and 127.0.0.2.
SEND_CASES = [
    ("public to the list, Cyrillic from UTF-8, one entry failing", ["--", "Привет,", "мир"], None, 1,
     [b"V3" + ANN + b";" + "Привет, мир".encode("cp1251")], [b"V3" + ANN + b";" + "Привет, мир".encode("cp1251")],
     "nosuchhost.invalid: Socket Error # 110"),  # 11001, or 11002 where no name server answers
    ("private with nick and colour name", ["-p", "-n", "Bob", "-c", "СИНИЙ", "127.0.0.2", "--", "see", "you"], None, 0,
     [], [b"T6Bob;see you"], ""),
    ("private with an empty text", ["--private", "127.0.0.1", "--", ""], None, 0, [b"T3" + ANN + b";"], [], ""),
    ("line breaks in the text become spaces", ["127.0.0.1", "--", "a\nb\r\nc"], None, 0, [b"V3" + ANN + b";a b c"], [],
     ""),
    ("standard input: one message a line, empty lines skipped", ["-n", "Bob", "-c", "2", "127.0.0.1"],
     "one\r\n\nдва\n", 0, [b"V2Bob;one", b"V2Bob;" + "два".encode("cp1251")], [], ""),
    ("an emoji is refused", ["127.0.0.1", "--", "hi 😀"], None, 2, [], [], "U+1F600"),
    ("a refused line among others", ["127.0.0.1"], "a\n😀\nb\n", 2, [b"V3" + ANN + b";a", b"V3" + ANN + b";b"], [],
     "строка 2: "),
    ("a nick Windows-1251 lacks", ["-n", "😀", "127.0.0.1", "--", "x"], None, 2, [], [], "U+1F600"),
    ("the longest datagram", ["-n", "Bob", "127.0.0.1", "--", "x" * 8186], None, 0, [b"V3Bob;" + b"x" * 8186], [], ""),
    ("one byte longer", ["-n", "Bob", "127.0.0.1", "--", "x" * 8187], None, 2, [], [], "8192"),
    ("a broadcast address fails, the next entry still gets it", ["255.255.255.255", "127.0.0.1", "--", "x"], None, 1,
     [b"V3" + ANN + b";x"], [], "255.255.255.255: Socket Error # "),  # unreachable with loopback alone
    ("an unknown option", ["--bogus"], None, 2, [], [], "--bogus"),
    ("a colour outside the palette", ["-c", "9", "127.0.0.1", "--", "x"], None, 2, [], [], "9"),
    ("an empty public text", ["127.0.0.1", "--", ""], None, 2, [], [], ""),
]


def receiver(address):
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.bind((address, 8800))
    sock.settimeout(0)
    return sock


def drain(sock):
    got = []
    while True:
        try:
            got.append(sock.recv(65536))
        except BlockingIOError:
            return got


def check_send(lirbo_send, folder):
    ini = "[user]\r\nnik_color=3\r\nnik=Аня\r\n[ip]\r\nip0=127.0.0.1\r\nip1=nosuchhost.invalid\r\nip2=127.0.0.2\r\n"
    with open(os.path.join(folder, "lirbo.ini"), "wb") as file:
        file.write(ini.encode("cp1251"))
    first, second = receiver("127.0.0.1"), receiver("127.0.0.2")
    try:
        for what, args, stdin, status, at_first, at_second, error in SEND_CASES:
            done = subprocess.run([lirbo_send, *args], cwd=folder, input=(stdin or "").encode(), capture_output=True,
                                  timeout=30)
            stderr = done.stderr.decode()
            got = (done.returncode, drain(first), drain(second), error in stderr)
            expect(got == (status, at_first, at_second, True), f"lirbo-send: {what} ({got[0]}, {stderr.strip()!r})")
        bad = subprocess.run([lirbo_send, "127.0.0.1"], cwd=folder, input=b"\xff\n", capture_output=True, timeout=30)
        expect(bad.returncode == 2 and drain(first) == [], "lirbo-send: standard input that is not UTF-8 is refused")
        empty = tempfile.mkdtemp(prefix="lirbo-cli-")
        none = subprocess.run([lirbo_send, "--", "x"], cwd=empty, capture_output=True, timeout=30)
        expect(none.returncode == 2, "lirbo-send: no addresses and no settings file")
        usage = subprocess.run([lirbo_send, "--help"], capture_output=True, timeout=30)
        expect(usage.returncode == 0 and "Использование" in usage.stdout.decode(), "lirbo-send --help in Russian")
    finally:
        first.close()
        second.close()


class Listener:
    def __init__(self, program, *args):
        self.process = subprocess.Popen([program, *args], stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.lines = queue.Queue()
        threading.Thread(target=self.pump, daemon=True).start()

    def pump(self):
        for line in self.process.stdout:
            self.lines.put(line.decode())

    def next_line(self):
        try:
            return self.lines.get(timeout=10).rstrip("\n")
        except queue.Empty:
            raise Failure("lirbo-listen printed nothing")

    def stop(self):
        self.process.kill()
        self.process.wait()


def wait_bound(port):
    """Until the listener holds the port."""
    for _ in range(500):
        probe = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        try:
            probe.bind(("0.0.0.0", port))
        except OSError:
            return
        finally:
            probe.close()
        threading.Event().wait(0.02)
    raise Failure(f"nothing listens on port {port}")


# (datagram, plain line after the time, JSON object without the time)
LISTEN_CASES = [
    (b"V3Ann;Hello", "127.0.0.1\tpublic\tAnn\tHello",
     {"address": "127.0.0.1", "kind": "public", "colour": 3, "nick": "Ann", "text": "Hello"}),
    (b"T0" + ANN + b";" + "тест".encode("cp1251") + b"\x1b[31m\\", "127.0.0.1\tprivate\tАня\tтест\\x1B[31m\\\\",
     {"address": "127.0.0.1", "kind": "private", "colour": 0, "nick": "Аня", "text": "тест\x1b[31m\\"}),
    (b'X9"q";a\tb\x98\x00;', '127.0.0.1\tpublic\t"q"\ta\\x09b\\x98\\x00;',
     {"address": "127.0.0.1", "kind": "public", "colour": 9, "nick": '"q"', "text": "a\tb\x98\x00;"}),
]
MALFORMED = [b"", b"V", b"Vx;hi", b"T;", b"V" + b"1" * 8192]


def check_listen(lirbo_listen, lirbo_send):
    plain = Listener(lirbo_listen)
    as_json = Listener(lirbo_listen, "--port", "8801", "--json")
    sender = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sender.bind(("127.0.0.1", 0))
    try:
        wait_bound(8800)
        wait_bound(8801)
        for datagram, line, fields in LISTEN_CASES:
            for bad in MALFORMED:  # dropped, so the next line is the good datagram's
                sender.sendto(bad, ("127.0.0.1", 8800))
                sender.sendto(bad, ("127.0.0.1", 8801))
            sender.sendto(datagram, ("127.0.0.1", 8800))
            sender.sendto(datagram, ("127.0.0.1", 8801))
            got = plain.next_line()
            expect(re.fullmatch(TIME + "\t" + re.escape(line), got) is not None, f"lirbo-listen line {got!r}")
            record = json.loads(as_json.next_line())
            expect(re.fullmatch(TIME, record.pop("time")) is not None and record == fields,
                   f"lirbo-listen --json {fields['kind']} {fields['nick']!r}")
        sent = subprocess.run([lirbo_send, "-n", "Bob", "127.0.0.1", "--", "через lirbo-send"], capture_output=True,
                              timeout=30)
        got = plain.next_line()
        expect(sent.returncode == 0 and got.endswith("\tpublic\tBob\tчерез lirbo-send"), "lirbo-send to lirbo-listen")
    finally:
        sender.close()
        plain.stop()
        as_json.stop()
    holder = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    holder.bind(("0.0.0.0", 8802))
    try:
        taken = subprocess.run([lirbo_listen, "--port", "8802"], capture_output=True, timeout=30)
        expect(taken.returncode == 1 and BOUND in taken.stderr.decode(), "lirbo-listen on a taken port: status 1")
    finally:
        holder.close()


def main():
    reason = cannot_run("unshare", "ip")
    if reason:
        print(f"skipped: {reason}")
        return SKIP
    status = rerun_in_own_network_namespace(__file__, sys.argv[1:])
    if status is not None:
        return status
    lirbo_send, lirbo_listen = sys.argv[1:3]
    folder = tempfile.mkdtemp(prefix="lirbo-cli-")

    def test():
        check_send(lirbo_send, folder)
        check_listen(lirbo_listen, lirbo_send)

    return report(test)


if __name__ == "__main__":
    sys.exit(main())
