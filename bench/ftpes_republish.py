#!/usr/bin/python3
"""FTPES republish of one page per server: each server of the interop test
(tests/support/interop_server.py) on loopback, a store of 9 categories
published once, one category edited, then `wareloom -Publish` timed.

    bench/ftpes_republish.py WARELOOM [ROUNDS]
"""
import os, subprocess, sys, tempfile, time

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SERVERS = ("vsftpd", "proftpd", "pureftpd")


def field(text):
    return text.encode().ljust(200, b"\0")


def republish(program, server):
    with tempfile.TemporaryDirectory() as host, tempfile.TemporaryDirectory() as data:
        os.makedirs(os.path.join(host, "root", "htdocs"))
        process = subprocess.Popen(
            ["/usr/bin/python3", os.path.join(TOP, "tests/support/interop_server.py"), server,
             "ftpes", "--root", os.path.join(host, "root"), "--log", os.path.join(host, "log"),
             "--dir", host, "--servers", os.path.join(TOP, ".cache/servers")],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        port, key = process.stdout.readline().split()
        user = "anonymous" if server == "vsftpd" else "wareloom"
        with open(os.path.join(data, "FTPServer.ftp"), "wb") as settings:
            settings.write(field(user) + field("secret") + field(f"ftpes://127.0.0.1:{port}") +
                           field("/htdocs/") + field(""))
        with open(os.path.join(data, "KnownHosts"), "w") as known:
            known.write(f"127.0.0.1:{port} {key}\n")
        item = b"Item".ljust(60, b"\0") + b"C1".ljust(10, b"\0") + b"1.00".ljust(10, b"\0") + \
            b"1".ljust(10, b"\0")
        for name in "ABCDEFGHI":
            with open(os.path.join(data, name + ".dat"), "wb") as category:
                category.write(item)
        env = dict(os.environ, WARELOOM_DATA_DIR=data, QT_QPA_PLATFORM="offscreen")
        subprocess.run([program, "-Publish"], env=env, check=True, capture_output=True)
        with open(os.path.join(data, "B.dat"), "ab") as category:
            category.write(item)
        start = time.monotonic()
        run = subprocess.run([program, "-Publish"], env=env, capture_output=True, text=True)
        seconds = time.monotonic() - start
        process.stdin.close()
        process.wait()
        summary = [line for line in run.stderr.splitlines() if line.startswith("Summary")]
        return seconds, run.returncode, summary[0] if summary else run.stderr.strip()[-200:]


def main():
    program, rounds = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 3
    for server in SERVERS:
        runs = [republish(program, server) for _ in range(rounds)]
        times = sorted(run[0] for run in runs)
        middle = times[len(times) // 2]
        print(f"{server}: median {middle:.2f} s (of {', '.join(f'{t:.2f}' for t in times)}),"
              f" exit {runs[-1][1]}, {runs[-1][2]}", flush=True)


if __name__ == "__main__":
    main()
