#!/usr/bin/python3
"""Encrypted servers for the tests, on a free port of 127.0.0.1 until stdin
closes; stdout says "<port> <key>", the key as KnownHosts would hold it. "ftpes": vsftpd demanding TLS for the login and
every data connection (with --no-tls: refusing AUTH TLS), the anonymous
login writing to --root/htdocs, its protocol log in --log. "sftp": asyncssh
with the host key in --dir (made when missing) and one password login."""

import argparse
import asyncio
import base64
import ctypes
import hashlib
import os
import signal
import socket
import subprocess
import sys
import threading


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def run_vsftpd(args, port):
    cert = os.path.join(args.dir, "cert.pem")
    if not os.path.exists(cert):
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                        "-subj", "/CN=localhost", "-keyout", cert, "-out", cert],
                       check=True, capture_output=True)
    os.chmod(args.root, 0o755)  # vsftpd refuses a writable anonymous root
    os.chmod(os.path.join(args.root, "htdocs"), 0o777)
    tls = "NO" if args.no_tls else "YES"
    config = f"""listen=YES
listen_address=127.0.0.1
listen_port={port}
background=NO
anonymous_enable=YES
no_anon_password=NO
anon_root={args.root}
write_enable=YES
anon_upload_enable=YES
anon_other_write_enable=YES
anon_umask=022
local_enable=NO
seccomp_sandbox=NO
isolate=NO
isolate_network=NO
pasv_address=127.0.0.1
connect_from_port_20=NO
ssl_enable={tls}
allow_anon_ssl=YES
force_anon_logins_ssl=YES
force_anon_data_ssl=YES
require_ssl_reuse=YES
rsa_cert_file={cert}
xferlog_enable=YES
xferlog_std_format=NO
log_ftp_protocol=YES
vsftpd_log_file={args.log}
"""
    path = os.path.join(args.dir, "vsftpd.conf")
    with open(path, "w") as f:
        f.write(config)
    der = subprocess.run(["openssl", "x509", "-in", cert, "-pubkey", "-noout"], check=True,
                         capture_output=True).stdout
    der = subprocess.run(["openssl", "pkey", "-pubin", "-outform", "DER"], input=der,
                         check=True, capture_output=True).stdout
    key = "sha256//" + base64.b64encode(hashlib.sha256(der).digest()).decode()
    # vsftpd goes with us, even when we are killed.
    return subprocess.Popen(["/usr/sbin/vsftpd", path],
                            preexec_fn=lambda: ctypes.CDLL(None).prctl(1, signal.SIGKILL)), key


def run_sftp(args, port):
    import asyncssh

    key_path = os.path.join(args.dir, "host_key")
    if not os.path.exists(key_path):
        asyncssh.generate_private_key("ssh-ed25519").write_private_key(key_path)
    os.chmod(key_path, 0o600)
    key = subprocess.run(["ssh-keygen", "-l", "-E", "sha256", "-f", key_path],
                         check=True, capture_output=True, text=True).stdout.split()[1]

    class Server(asyncssh.SSHServer):
        def begin_auth(self, username):
            return True

        def password_auth_supported(self):
            return True

        def validate_password(self, username, password):
            with open(args.log, "a") as log:
                log.write("login " + username + "\n")
            return username == args.user and password == args.password

    async def serve():
        await asyncssh.create_server(
            Server, "127.0.0.1", port, server_host_keys=[key_path],
            sftp_factory=lambda chan: asyncssh.SFTPServer(chan, chroot=args.root))
        await asyncio.Event().wait()

    threading.Thread(target=lambda: asyncio.run(serve()), daemon=True).start()
    return None, key


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("kind", choices=("ftpes", "sftp"))
    for option in ("root", "log", "dir", "user", "password"):
        parser.add_argument("--" + option, default="")
    parser.add_argument("--no-tls", action="store_true")
    args = parser.parse_args()
    port = free_port()
    child, key = run_vsftpd(args, port) if args.kind == "ftpes" else run_sftp(args, port)
    for _ in range(100):  # listening yet?
        try:
            socket.create_connection(("127.0.0.1", port), 0.1).close()
            break
        except OSError:
            threading.Event().wait(0.05)
    print(port, key, flush=True)
    sys.stdin.buffer.read()
    if child:
        child.kill()
    os._exit(0)


if __name__ == "__main__":
    main()
