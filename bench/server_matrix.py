#!/usr/bin/python3
"""Publishing to every server and mode of the interop test, beside lftp.

    bench/server_matrix.py WARELOOM [--rounds N] [--only SERVER[:MODE] ...]

Each row (vsftpd, ProFTPD, Pure-FTPd over FTP, FTPES and implicit FTPS where
they offer it; OpenSSH's sshd over SFTP) gets its server from
tests/support/interop_server.py, as the interop test starts it, on loopback
with its files on tmpfs. Then, side by side in rounds whose order turns:

- first publish of 201 pages (200 categories x 10 items and the main page):
  `wareloom -Publish` from a fresh copy of the store (no pages, no record of a
  publish: the time includes generating the pages) into the empty upload
  folder; the same with the pages generated beforehand (and `Pages.cache`:
  the run writes no page), as lftp gets them; and `lftp mirror -R
  --parallel=4` of those pages into an empty folder of its own on the same
  server;
- republish after one item's price edited (that category's page and the main
  page go): `wareloom -Publish`.

Every run's files are compared byte for byte with the local ones. sshd needs
root (interop_server.py sets a system account's password). Run it ahead of
other work on the machine: `nice -n -15 bench/server_matrix.py ...`.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.dirname(HERE)
sys.path.insert(0, HERE)
import make_store  # noqa: E402
from bench import Bench, check_upload, edit_price, spread, wait_for_ports  # noqa: E402

timed = Bench.timed_with_messages  # wall time and stderr, where the summary goes

ROWS = (("vsftpd", "ftp"), ("vsftpd", "ftpes"), ("vsftpd", "ftps"), ("proftpd", "ftp"),
        ("proftpd", "ftpes"), ("proftpd", "ftps"), ("pureftpd", "ftp"), ("pureftpd", "ftpes"),
        ("sshd", "sftp"))
CATEGORIES, ITEMS = 200, 10
REPUBLISH_TARGET, FIRST_TARGET = 1.0, 1.2  # seconds; times lftp


def load():
    with open("/proc/loadavg") as average:
        return " ".join(average.read().split()[:3])


def clear(folder):
    for entry in os.scandir(folder):
        os.unlink(entry.path)


class Server:
    """One server of the interop test, stopped (and sshd's account locked
    again) on exit. Uploads go to root/htdocs, lftp's to root/mirror."""

    def __init__(self, name, mode, folder):
        self.name, self.mode, self.folder = name, mode, folder
        self.root = os.path.join(folder, "root")
        self.htdocs = os.path.join(self.root, "htdocs")
        self.mirror = os.path.join(self.root, "mirror")

    def __enter__(self):
        os.makedirs(self.htdocs)
        os.makedirs(self.mirror)
        os.chmod(self.mirror, 0o777)  # written by the server's own user
        self.process = subprocess.Popen(
            [sys.executable, os.path.join(TOP, "tests/support/interop_server.py"), self.name,
             self.mode, "--root", self.root, "--log", os.path.join(self.folder, "log"),
             "--dir", self.folder, "--servers", os.path.join(TOP, ".cache/servers")],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        said = self.process.stdout.readline().split()
        if len(said) != 4:
            self.__exit__()
            raise RuntimeError(f"{self.name} {self.mode} did not start")
        self.port, self.key, self.user, self.password = said
        return self

    def __exit__(self, *details):
        self.process.stdin.close()  # stops the server
        self.process.wait()

    def address(self):
        hostport = f"127.0.0.1:{self.port}"
        return hostport if self.mode == "ftp" else f"{self.mode}://{hostport}"

    def folder_name(self):
        # sshd's account has no chroot: the folder is named from its login directory.
        return "htdocs/" if self.mode == "sftp" else "/htdocs/"

    def lftp(self, pages):
        """lftp mirror -R --parallel=4 of pages into root/mirror."""
        settings = {
            "ftp": "set ftp:ssl-allow no;",
            "ftpes": "set ftp:ssl-force true; set ftp:ssl-protect-data true;"
                     " set ssl:verify-certificate no;",
            "ftps": "set ftp:ssl-protect-data true; set ssl:verify-certificate no;",
            # The host key is new each run: not kept in any known_hosts.
            "sftp": "set sftp:connect-program 'ssh -a -x -o StrictHostKeyChecking=no"
                    " -o UserKnownHostsFile=/dev/null -o LogLevel=ERROR';",
        }[self.mode]
        scheme = {"ftp": "ftp", "ftpes": "ftp", "ftps": "ftps", "sftp": "sftp"}[self.mode]
        target = self.mirror if self.mode == "sftp" else "/mirror"
        return ["lftp", "-c", f"{settings} open -u {self.user},{self.password} "
                f"{scheme}://127.0.0.1:{self.port}; mirror -R --parallel=4 {pages} {target}"]


def write_store(data, server, template):
    """A copy of the store set to publish to server."""
    shutil.rmtree(data, ignore_errors=True)
    shutil.copytree(template, data, ignore=shutil.ignore_patterns(".made"))
    fields = [server.user, server.password, server.address(), server.folder_name(), ""]
    with open(os.path.join(data, "FTPServer.ftp"), "wb") as out:
        for text in fields:
            out.write(text.encode("cp1252").ljust(200, b"\0"))
    if server.key != "-":
        with open(os.path.join(data, "KnownHosts"), "w") as known:
            known.write(f"127.0.0.1:{server.port} {server.key}\n")


def env_for(data):
    return dict(os.environ, WARELOOM_DATA_DIR=data, QT_QPA_PLATFORM="offscreen")


def summary(messages):
    return next((line for line in messages.splitlines() if line.startswith("Summary:")),
                messages.strip()[-300:])


def measure(program, name, mode, rounds, work, template):
    memory = "/dev/shm" if os.access("/dev/shm", os.W_OK) else work
    host = tempfile.mkdtemp(prefix="wareloom-matrix-", dir=memory)
    try:
        with Server(name, mode, host) as server:
            return measure_on(program, server, rounds, work, template)
    finally:
        shutil.rmtree(host, ignore_errors=True)


def measure_on(program, server, rounds, work, template):
    data = os.path.join(work, "data")
    pages = os.path.join(work, "pages")
    # The pages lftp sends: the same store, generated beforehand.
    write_store(data, server, template)
    generated, _ = timed([program, "-Generate"], env_for(data))
    shutil.rmtree(pages, ignore_errors=True)
    os.makedirs(pages)
    for entry in os.scandir(data):
        if entry.name.endswith(".htm"):
            shutil.copy2(entry.path, pages)
    count = len(os.listdir(pages))
    generated_store = os.path.join(work, "generated")
    shutil.rmtree(generated_store, ignore_errors=True)
    shutil.copytree(data, generated_store)

    def ours(store=template):
        write_store(data, server, store)  # no record of a publish
        clear(server.htdocs)
        wait_for_ports()
        elapsed, messages = timed([program, "-Publish"], env_for(data))
        if f"Summary: {count} sent, 0 unchanged, 0 failed" not in messages:
            raise RuntimeError(f"first publish: {summary(messages)}")
        check_upload(data, server.htdocs, count)
        return elapsed

    def theirs():
        clear(server.mirror)
        wait_for_ports()
        elapsed, _ = timed(server.lftp(pages))
        check_upload(pages, server.mirror, count)
        return elapsed

    runs = (ours, lambda: ours(generated_store), theirs)
    times = ([], [], [])
    for turn in range(rounds):
        for step in range(len(runs)):
            which = (turn + step) % len(runs)
            times[which].append(runs[which]())
    first, pregenerated, mirror = times

    republish = []
    for turn in range(rounds):
        edit_price(data, CATEGORIES // 2, 3, f"{900 + turn}.99 €")
        elapsed, messages = timed([program, "-Publish"], env_for(data))
        if f"Summary: 2 sent, {count - 2} unchanged, 0 failed" not in messages:
            raise RuntimeError(f"republish: {summary(messages)}")
        check_upload(data, server.htdocs, count)
        republish.append(elapsed)
    return dict(count=count, generated=generated, first=first, pregenerated=pregenerated,
                mirror=mirror, republish=republish)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program", help="the wareloom executable")
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--only", nargs="+", default=[], help="servers or server:mode")
    a = parser.parse_args()
    program = os.path.abspath(a.program)
    rows = [row for row in ROWS
            if not a.only or row[0] in a.only or f"{row[0]}:{row[1]}" in a.only]
    work = tempfile.mkdtemp(prefix="wareloom-matrix-")
    template = os.path.join(work, "store")
    os.makedirs(template)
    subprocess.run([sys.executable, make_store.__file__, template, str(CATEGORIES), str(ITEMS)],
                   check=True, stdout=subprocess.DEVNULL)
    print(f"load average at the start: {load()}; nice {os.nice(0)}", flush=True)
    table = []
    try:
        for name, mode in rows:
            started = load()
            result = measure(program, name, mode, a.rounds, work, template)
            first, mirror = result["first"], result["mirror"]
            pregenerated = result["pregenerated"]
            ratio = statistics.median(x / y for x, y in zip(first, mirror))
            like = statistics.median(x / y for x, y in zip(pregenerated, mirror))
            again = statistics.median(result["republish"])
            print(f"{name} {mode} (load {started} -> {load()}), {result['count']} pages, "
                  f"-Generate alone {result['generated'] * 1000:.0f} ms\n"
                  f"  first publish: -Publish {spread(first)}\n"
                  f"  first publish, pages generated before: -Publish {spread(pregenerated)}\n"
                  f"  first publish: lftp mirror -R --parallel=4 {spread(mirror)}\n"
                  f"  republish of one edit: -Publish {spread(result['republish'])}", flush=True)
            table.append((name, mode, statistics.median(first), ratio,
                          statistics.median(pregenerated), like, statistics.median(mirror), again,
                          like <= FIRST_TARGET and again <= REPUBLISH_TARGET))
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print(f"\nload average at the end: {load()}\n")
    print("| server | mode | first publish, -Publish (generating) | ratio | -Publish, pages "
          "generated before | ratio (<= 1.2) | lftp mirror -R --parallel=4 | republish of one "
          "edit (<= 1 s) | met |")
    print("|---|---|---|---|---|---|---|---|---|")
    for name, mode, first, ratio, pregenerated, like, mirror, again, met in table:
        print(f"| {name} | {mode} | {first:.2f} s | {ratio:.2f} | {pregenerated:.2f} s | "
              f"{like:.2f} | {mirror:.2f} s | {again:.2f} s | {'yes' if met else 'no'} |")
    return 0 if all(row[-1] for row in table) else 1


if __name__ == "__main__":
    sys.exit(main())
