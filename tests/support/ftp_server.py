#!/usr/bin/python3
"""FTP server for the tests: serves --root on a free port of 127.0.0.1 (printed
on stdout) until its stdin closes, logs every command to --log (PASS masked,
PORT/EPRT/PASV/EPSV bare, STOR with " TYPE=A" or " TYPE=I"), and misbehaves
in the one way a fault option asks."""

import argparse, os, sys, threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import (BufferedIteratorProducer, FTPHandler, ThrottledDTPHandler,
                                TLS_FTPHandler)
from pyftpdlib.servers import FTPServer


class Handler:
    command_log = None
    auth_failed_timeout = 0  # answer a wrong password at once

    def pre_process_command(self, line, cmd, arg):
        shown = {"PASS": "******", "PORT": "", "EPRT": "", "PASV": "", "EPSV": ""}.get(cmd, arg)
        if cmd == "STOR":
            shown += " TYPE=" + ("I" if self._current_type == "i" else "A")
        self.log_command(cmd + (" " + shown if shown else ""))
        return super().pre_process_command(line, cmd, arg)

    def log_command(self, entry):
        self.command_log.write(entry.replace("\r", "\\r").replace("\n", "\\n") + "\n")
        self.command_log.flush()


def refuse_port(h):
    h.ftp_PORT = h.ftp_EPRT = lambda self, line: self.respond("500 Active mode refused.")


def pretend_active(h, reply):
    """PORT/EPRT get 200 but no data connection comes; a STOR then gets reply."""
    stor, pasv, epsv = h.ftp_STOR, h.ftp_PASV, h.ftp_EPSV

    def mode(active, original):
        def set_mode(self, line):
            self.active = active
            return original(self, line) if original else self.respond("200 Active mode.")
        return set_mode

    h.ftp_PORT = h.ftp_EPRT = mode(True, None)
    h.ftp_PASV, h.ftp_EPSV = mode(False, pasv), mode(False, epsv)
    h.ftp_STOR = lambda self, file, mode="w": (
        self.respond(reply) if getattr(self, "active", False) else stor(self, file, mode))


def refuse(h, command, value):
    """CODE or CODE:NAME: command answered with CODE for paths containing NAME."""
    code, _, name = value.partition(":")
    original = getattr(h, "ftp_" + command)
    setattr(h, "ftp_" + command, lambda self, path, *args: self.respond(code + " Refused.")
            if name in path else original(self, path, *args))


def delay(h, command, value):
    """SECONDS:NAME: command taken up SECONDS late for paths containing NAME."""
    seconds, _, name = value.partition(":")
    original = getattr(h, "ftp_" + command)
    setattr(h, "ftp_" + command, lambda self, path, *args: self.ioloop.call_later(
        float(seconds), original, self, path, *args) if name in path else original(self, path, *args))


def drop_stor(h, name):
    """Both connections go dead, without a reply, once data of a STOR to NAME arrive."""
    class Dropping(h.dtp_handler):
        def handle_read(self):
            super().handle_read()
            if self.tot_bytes_received and name in (getattr(self.file_obj, "name", "") or "") \
                    and not self._closed:
                control, self._resp = self.cmd_channel, None
                self.close()
                control.close()
        handle_read_event = handle_read
    h.dtp_handler = Dropping


def one_session(h):
    """A second session at a time is turned away, as hosts limiting logins do."""
    handle, h.sessions = h.handle, 0

    def limited(self):
        if h.sessions:
            self.log_command("(session refused)")
            return self.respond("421 Too many connections from this IP.") or self.close_when_done()
        h.sessions, self.counted = h.sessions + 1, True
        return handle(self)

    def ended(self):
        h.sessions -= getattr(self, "counted", False)
    h.handle, h.on_disconnect = limited, ended


def huge_listing(h):
    """Every listing is 20 MB of lines."""
    def send(self, path):
        lines = (b"type=file;size=1; f%07d.htm\r\n" % i for i in range(700000))
        self.push_dtp_data(BufferedIteratorProducer(lines), isproducer=True, cmd="MLSD")
    h.ftp_MLSD = h.ftp_LIST = send


FAULTS = {  # option: how it changes the handler class, given the option's value
    "refuse-port": lambda h, _: refuse_port(h),
    "reply-425": lambda h, _: pretend_active(h, "425 Can't open data connection."),
    "no-connect-back": lambda h, _: pretend_active(h, "150 Opening data connection."),
    "silent": lambda h, _: setattr(  # no greeting, no reply
        h, "handle", lambda self: self.log_command("(silent connection)")),
    "stor-reply": lambda h, v: refuse(h, "STOR", v),
    "dele-reply": lambda h, v: refuse(h, "DELE", v),
    "list-reply": lambda h, v: (refuse(h, "MLSD", v), refuse(h, "LIST", v)),
    "huge-listing": lambda h, _: huge_listing(h),
    "rnto-reply": lambda h, v: refuse(h, "RNTO", v),
    "rnto-free-only": lambda h, _: setattr(h, "ftp_RNTO", lambda self, path, rnto=h.ftp_RNTO: (
        self.respond("550 Cannot create a file when that file already exists.")
        if os.path.exists(path) else rnto(self, path))),
    "stor-delay": lambda h, v: delay(h, "STOR", v),
    "one-session": lambda h, _: one_session(h),
    "drop-stor": drop_stor,
    "slow-read": lambda h, v: setattr(h, "dtp_handler", type(
        "Slow", (ThrottledDTPHandler,), {"read_limit": int(v)})),
}
FLAGS = ("refuse-port", "reply-425", "no-connect-back", "silent", "one-session", "rnto-free-only",
         "huge-listing")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for option in ("root", "log", "user", "password"):
        parser.add_argument("--" + option, required=True)
    for name in FAULTS:
        parser.add_argument("--" + name, **({"action": "store_true"} if name in FLAGS else {}))
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--tls", help="certificate: TLS demanded for login and data")
    args = parser.parse_known_args()[0]  # --dir: for the secure server only

    base = TLS_FTPHandler if args.tls else FTPHandler
    handler = type("TestHandler", (Handler, base), {})
    if args.tls:
        handler.certfile, handler.tls_control_required, handler.tls_data_required = \
            args.tls, True, True
    handler.command_log = open(args.log, "a", encoding="utf-8", errors="surrogateescape")
    handler.authorizer = DummyAuthorizer()
    handler.authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")
    for name, apply in FAULTS.items():
        if getattr(args, name.replace("-", "_")):
            apply(handler, getattr(args, name.replace("-", "_")))

    server = FTPServer(("127.0.0.1", args.port), handler)
    print(server.address[1], flush=True)
    # The test keeps our stdin open; when it goes away, so do we.
    threading.Thread(target=lambda: (sys.stdin.buffer.read(), os._exit(0)), daemon=True).start()
    server.serve_forever(handle_exit=False)


if __name__ == "__main__":
    main()
