#!/usr/bin/python3
"""FTP server for the tests, run by /usr/bin/python3 with Debian's pyftpdlib.

Listens on 127.0.0.1 on a free port, prints that port on stdout (one line)
and serves until it is killed or its stdin closes (the test died).

Every command the server receives is appended to the --log file, one line per
command, as received (PASS masked; PORT, EPRT, PASV and EPSV without their
argument; STOR, APPE and STOU followed by " TYPE=A" or " TYPE=I"):

    USER wareloom
    PASS ******
    EPRT
    TYPE A
    STOR /htdocs/x.htm TYPE=A
    DELE /htdocs/old.jpg

Fault modes make the server misbehave in one chosen way. Each is a function
registered with @fault: it receives the handler class and the option's value
and changes the class. A new fault is one more such function.
"""

import argparse
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer

FAULTS = {}


def fault(name, help, metavar=None):
    """Registers a fault mode as the option --<name> (with a value when
    metavar is given)."""
    def register(apply):
        FAULTS[name] = (help, metavar, apply)
        return apply
    return register


# --- fault modes

@fault("refuse-port", "answer PORT and EPRT with 500, so that active mode fails")
def refuse_port(handler, _value):
    def refuse(self, line):
        self.respond("500 Active mode refused.")
    handler.ftp_PORT = refuse
    handler.ftp_EPRT = refuse


def _pretend_active_mode(handler, transfer_reply):
    """PORT and EPRT are answered 200 but no data connection is ever made;
    a STOR in that mode gets transfer_reply and nothing more. PASV and EPSV
    work as usual."""
    originals = {"PASV": handler.ftp_PASV, "EPSV": handler.ftp_EPSV, "STOR": handler.ftp_STOR}

    def take_port(self, line):
        self.pretended_active = True
        self.respond("200 Active data connection established.")

    def make_passive(command):
        def go_passive(self, line):
            self.pretended_active = False
            originals[command](self, line)
        return go_passive

    def stor(self, file, mode="w"):
        if getattr(self, "pretended_active", False):
            self.respond(transfer_reply)
            return None
        return originals["STOR"](self, file, mode)

    handler.ftp_PORT = take_port
    handler.ftp_EPRT = take_port
    handler.ftp_PASV = make_passive("PASV")
    handler.ftp_EPSV = make_passive("EPSV")
    handler.ftp_STOR = stor


@fault("reply-425", "accept PORT and EPRT, then answer the transfer with 425")
def reply_425(handler, _value):
    _pretend_active_mode(handler, "425 Can't open data connection.")


@fault("no-connect-back", "accept PORT and EPRT, answer the transfer with 150 and never "
       "connect back, so that the client's wait for the data connection times out")
def no_connect_back(handler, _value):
    _pretend_active_mode(handler, "150 File status okay. About to open data connection.")


@fault("silent", "accept TCP connections and never answer; each connection is logged as "
       "\"(silent connection)\"")
def silent(handler, _value):
    handler.handle = lambda self: self.log_command("(silent connection)", "")
    handler.found_terminator = lambda self: None


def _code_and_name(value):
    """"553" or "553:Books.htm": a reply code and the part of a path it is
    limited to (every path when none is given)."""
    code, _, name = value.partition(":")
    if not (len(code) == 3 and code.isdigit() and code[0] in "45"):
        raise SystemExit("a 4xx or 5xx reply code is needed, not %r" % code)
    return code, name


def _refuse(handler, command, value):
    """Answers command with the reply code of value for the paths it names;
    other paths are served as usual."""
    code, name = _code_and_name(value)
    original = getattr(handler, "ftp_" + command)

    def refuse(self, path, *args):
        if name in path:
            self.respond("%s Refused by the test server." % code)
            return None
        return original(self, path, *args)
    setattr(handler, "ftp_" + command, refuse)


@fault("stor-reply", "answer STOR with CODE (4xx or 5xx) and store nothing; CODE:NAME only "
       "for paths that contain NAME", metavar="CODE[:NAME]")
def stor_reply(handler, value):
    _refuse(handler, "STOR", value)


@fault("dele-reply", "answer DELE with CODE (4xx or 5xx) and delete nothing; CODE:NAME only "
       "for paths that contain NAME", metavar="CODE[:NAME]")
def dele_reply(handler, value):
    _refuse(handler, "DELE", value)


@fault("drop-stor", "in a STOR of a path that contains NAME (\"/\" for every path), drop "
       "the control and the data connection as soon as the first data arrive, without a "
       "reply; what arrived stays stored", metavar="NAME")
def drop_stor(handler, name):
    base = handler.dtp_handler

    class DroppingDTPHandler(base):
        def handle_read(self):
            super().handle_read()
            target = getattr(self.file_obj, "name", "") or ""
            if self.tot_bytes_received and name in target and not self._closed:
                control = self.cmd_channel
                self._resp = None  # no "226", no "426": the line just goes dead
                self.close()
                control.close()

        handle_read_event = handle_read  # the base class binds its own

    handler.dtp_handler = DroppingDTPHandler


@fault("slow-read", "take uploaded data at no more than BYTES bytes a second", metavar="BYTES")
def slow_read(handler, value):
    limit = int(value)
    if limit < 1:
        raise SystemExit("--slow-read needs at least 1 byte a second")
    handler.dtp_handler = type("SlowDTPHandler", (ThrottledDTPHandler,), {"read_limit": limit})


# --- command log

class LoggingHandler(FTPHandler):
    command_log = None  # open text file, set by main()
    auth_failed_timeout = 0  # answer a wrong password at once

    def pre_process_command(self, line, cmd, arg):
        self.log_command(cmd, arg)
        return super().pre_process_command(line, cmd, arg)

    def log_command(self, cmd, arg):
        if cmd == "PASS":
            arg = "******"
        elif cmd in ("PORT", "EPRT", "PASV", "EPSV"):
            arg = ""
        elif cmd in ("STOR", "APPE", "STOU"):
            arg += " TYPE=" + ("I" if self._current_type == "i" else "A")
        entry = cmd + (" " + arg if arg else "")
        entry = entry.replace("\r", "\\r").replace("\n", "\\n")
        self.command_log.write(entry + "\n")
        self.command_log.flush()


def exit_when_stdin_closes():
    """The test keeps our stdin open; when it goes away, so do we."""
    def watch():
        while sys.stdin.buffer.read(4096):
            pass
        os._exit(0)
    threading.Thread(target=watch, daemon=True).start()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", required=True, help="directory served as /")
    parser.add_argument("--log", required=True, help="file that receives the command log")
    parser.add_argument("--user", default="wareloom")
    parser.add_argument("--password", default="secret")
    for name, (help, metavar, _apply) in FAULTS.items():
        if metavar:
            parser.add_argument("--" + name, metavar=metavar, help=help)
        else:
            parser.add_argument("--" + name, action="store_true", help=help)
    args = parser.parse_args()

    logging.basicConfig(level=logging.WARNING, stream=sys.stderr)

    handler = type("TestHandler", (LoggingHandler,), {})
    handler.command_log = open(args.log, "a", encoding="utf-8", errors="surrogateescape")
    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")
    handler.authorizer = authorizer
    for name, (_help, _metavar, apply) in FAULTS.items():
        value = getattr(args, name.replace("-", "_"))
        if value:
            apply(handler, value)

    server = FTPServer(("127.0.0.1", 0), handler)
    print(server.address[1], flush=True)
    exit_when_stdin_closes()
    server.serve_forever(handle_exit=False)


if __name__ == "__main__":
    main()
