#!/usr/bin/python3
"""FTP server on loopback that behaves as if it were a round trip away: serves
--root on a free port of 127.0.0.1 (printed on stdout) until its stdin closes.

Every reply reaches the client --rtt-ms after the command that caused it, and
every data connection (the client's in passive mode, ours in active mode) is
set up --rtt-ms late, which is what its handshake costs over such a link. No
root rights, no kernel module: the delays are timers in the server. Each
connection has a thread of its own, so one client's waits never hold another.
Replies are queued, not slept for, so a client that sends several commands
without waiting sees them all arrive one round trip later, as on a real link.

With --log, each STOR and RNTO is written there as one line ("STOR path"), so
a benchmark can count the files sent. Anonymous login unless --user is given.
"""

import argparse
import logging
import collections
import os
import sys
import threading
import warnings

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import ActiveDTP, DTPHandler, FTPHandler, PassiveDTP
from pyftpdlib.servers import ThreadedFTPServer

PERMISSIONS = "elradfmwMT"  # list, read, write, rename, delete, mkdir, mtime


class DelayedPassive(PassiveDTP):
    """Hands the client's data connection on one round trip after it came."""

    def handle_accepted(self, sock, addr):
        self.del_channel()  # no more accepts while the handshake is "under way"
        self.ioloop.call_later(self.cmd_channel.rtt, self.accept_now, sock, addr)

    def accept_now(self, sock, addr):
        if self._closed or not self.cmd_channel.connected:
            sock.close()
            return
        PassiveDTP.handle_accepted(self, sock, addr)


class DelayedActive(ActiveDTP):
    """Takes our connection to the client as made one round trip after it was."""

    def handle_connect(self):
        self.del_channel()  # it stays writable: no busy loop while waiting
        self.ioloop.call_later(self.cmd_channel.rtt, self.connect_now)

    def connect_now(self):
        if self._closed:
            return
        ActiveDTP.handle_connect(self)


class DelayedHandler(FTPHandler):
    rtt = 0.05
    stor_log = None  # (file, lock) for the STOR/RNTO lines
    passive_dtp = DelayedPassive
    active_dtp = DelayedActive
    dtp_handler = DTPHandler

    def __init__(self, conn, server, ioloop=None):
        self.outgoing = collections.deque()  # replies not yet due; None: close after them
        self.threaded = False
        super().__init__(conn, server, ioloop)

    def handle(self):
        # Called from the accepting thread, before this connection has a loop of
        # its own to time its greeting: the greeting waits for add_channel().
        pass

    def add_channel(self, map=None, events=None):
        super().add_channel(map, events)
        server = getattr(self, "server", None)  # not yet set while constructing
        if not self.threaded and server is not None and self.ioloop is not server.ioloop:
            self.threaded = True
            FTPHandler.handle(self)

    def push(self, s):
        self.outgoing.append(s)
        self.call_later(self.rtt, self.release)

    def close_when_done(self):
        if self.outgoing:
            self.outgoing.append(None)
        else:
            FTPHandler.close_when_done(self)

    def release(self):
        """One reply (and a close that waited for it) goes out; replies keep
        their order whatever the order of equal timers."""
        if self._closed or not self.outgoing:
            return
        FTPHandler.push(self, self.outgoing.popleft())
        if self.outgoing and self.outgoing[0] is None:
            self.outgoing.popleft()
            FTPHandler.close_when_done(self)

    def pre_process_command(self, line, cmd, arg):
        if cmd in ("STOR", "RNTO") and self.stor_log:
            out, lock = self.stor_log
            with lock:
                out.write(f"{cmd} {arg}\n")
                out.flush()
        return super().pre_process_command(line, cmd, arg)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", required=True)
    parser.add_argument("--rtt-ms", type=float, default=50)
    parser.add_argument("--log")
    parser.add_argument("--user")
    parser.add_argument("--password", default="")
    args = parser.parse_args()

    handler = type("Handler", (DelayedHandler,), {"rtt": args.rtt_ms / 1000})
    if args.log:
        handler.stor_log = (open(args.log, "a", encoding="utf-8", errors="surrogateescape"),
                       threading.Lock())
    handler.authorizer = DummyAuthorizer()
    warnings.simplefilter("ignore", RuntimeWarning)  # the anonymous user may write: wanted
    if args.user:
        handler.authorizer.add_user(args.user, args.password, args.root, perm=PERMISSIONS)
    else:
        handler.authorizer.add_anonymous(args.root, perm=PERMISSIONS)
    handler.auth_failed_timeout = 0
    handler.banner = "Delayed FTP server ready."

    logging.basicConfig(level=logging.WARNING)  # no line per command on stderr
    server = ThreadedFTPServer(("127.0.0.1", 0), handler)
    # A new connection's thread blocks in its first poll until this ends, however
    # soon its greeting is due: keep it short beside a round trip.
    server.poll_timeout = 0.002
    server.max_cons = 0
    server.max_cons_per_ip = 0
    print(server.address[1], flush=True)
    # The benchmark keeps our stdin open; when it goes away, so do we.
    threading.Thread(target=lambda: (sys.stdin.buffer.read(), os._exit(0)), daemon=True).start()
    server.serve_forever(handle_exit=False)


if __name__ == "__main__":
    main()
