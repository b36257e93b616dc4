#!/usr/bin/python3
"""Encrypted test servers on a free port of 127.0.0.1 until stdin closes; stdout
says "<port> <key>", the key as KnownHosts holds it. ftpes: vsftpd demanding TLS
for login and data (--no-tls: refusing AUTH TLS), anonymous, protocol log in
--log. sftp: asyncssh, host key in --dir, one password login, logins in --log."""
import argparse, asyncio, base64, ctypes, hashlib, os, signal, socket, subprocess, sys, threading


def output(*command, data=None):
    return subprocess.run(command, input=data, check=True, capture_output=True).stdout


def run_vsftpd(a, port):
    cert = os.path.join(a.dir, "cert.pem")
    output("openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
           "/CN=localhost", "-keyout", cert, "-out", cert)
    os.chmod(a.root, 0o755)  # vsftpd refuses a writable anonymous root
    os.chmod(os.path.join(a.root, "htdocs"), 0o777)
    options = dict(listen="YES", listen_address="127.0.0.1", listen_port=port, background="NO",
                   anonymous_enable="YES", anon_root=a.root, write_enable="YES",
                   anon_upload_enable="YES", anon_other_write_enable="YES", anon_umask="022",
                   local_enable="NO", seccomp_sandbox="NO", isolate="NO", isolate_network="NO",
                   pasv_address="127.0.0.1", connect_from_port_20="NO",
                   ssl_enable="NO" if a.no_tls else "YES", allow_anon_ssl="YES",
                   force_anon_logins_ssl="YES", force_anon_data_ssl="YES",
                   require_ssl_reuse="YES", rsa_cert_file=cert, xferlog_enable="YES",
                   xferlog_std_format="NO", log_ftp_protocol="YES", vsftpd_log_file=a.log)
    config = os.path.join(a.dir, "vsftpd.conf")
    open(config, "w").writelines(f"{k}={v}\n" for k, v in options.items())
    der = output("openssl", "pkey", "-pubin", "-outform", "DER",
                 data=output("openssl", "x509", "-in", cert, "-pubkey", "-noout"))
    # vsftpd goes with us, even when we are killed.
    child = subprocess.Popen(["/usr/sbin/vsftpd", config],
                             preexec_fn=lambda: ctypes.CDLL(None).prctl(1, signal.SIGKILL))
    return child, "sha256//" + base64.b64encode(hashlib.sha256(der).digest()).decode()


def run_sftp(a, port):
    import asyncssh
    key = os.path.join(a.dir, "host_key")
    asyncssh.generate_private_key("ssh-ed25519").write_private_key(key)
    os.chmod(key, 0o600)

    class Server(asyncssh.SSHServer):
        begin_auth = password_auth_supported = lambda self, *_: True

        def validate_password(self, username, password):
            with open(a.log, "a") as log:
                log.write("login " + username + "\n")
            return (username, password) == (a.user, a.password)

    async def serve():
        await asyncssh.create_server(Server, "127.0.0.1", port, server_host_keys=[key],
                                     sftp_factory=lambda c: asyncssh.SFTPServer(c, chroot=a.root))
        await asyncio.Event().wait()
    threading.Thread(target=lambda: asyncio.run(serve()), daemon=True).start()
    return None, output("ssh-keygen", "-l", "-E", "sha256", "-f", key).decode().split()[1]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("kind", choices=("ftpes", "sftp"))
    for option in ("root", "log", "dir", "user", "password"):
        parser.add_argument("--" + option, required=True)
    parser.add_argument("--no-tls", action="store_true")
    a = parser.parse_args()
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        port = s.getsockname()[1]
    child, key = (run_vsftpd if a.kind == "ftpes" else run_sftp)(a, port)
    for _ in range(100):  # listening yet?
        try:
            socket.create_connection(("127.0.0.1", port), 0.1).close()
            break
        except OSError:
            threading.Event().wait(0.05)
    print(port, key, flush=True)
    sys.stdin.buffer.read()
    child and child.kill()
    os._exit(0)


if __name__ == "__main__":
    main()
