#!/usr/bin/python3
"""One of the common FTP servers (or OpenSSH's or asyncssh's SFTP) on a free port of
127.0.0.1, in the foreground with a config of its own, until stdin closes;
stdout says "<port> <key> <user> <password>" (the key as KnownHosts holds it,
"-" for plain FTP). User wareloom, password secret (vsftpd: anonymous, any
password but "wrong"; sshd: the system account wareloom-sftp, made when
missing, with a new random password that is locked again at the end); home
--root, which holds htdocs (sshd: the login directory). The server's log goes
to --log (Pure-FTPd logs only to syslog: none; asyncssh: "login <user>" lines;
sshd: its own, "Failed password for" and "Accepted password for" lines)."""
import argparse, base64, ctypes, fcntl, hashlib, os, pwd, secrets, signal, socket, subprocess
import sys, threading, warnings

with warnings.catch_warnings():
    warnings.simplefilter("ignore")
    import crypt  # the password files of ProFTPD and Pure-FTPd: crypt(3) hashes

HERE = os.path.dirname(os.path.abspath(__file__))


def output(*command, data=None):
    return subprocess.run(command, input=data, check=True, capture_output=True).stdout


def certificate(a):
    cert = os.path.join(a.dir, "cert.pem")
    output("openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
           "/CN=localhost", "-keyout", cert, "-out", cert)
    os.chmod(cert, 0o600)
    der = output("openssl", "pkey", "-pubin", "-outform", "DER",
                 data=output("openssl", "x509", "-in", cert, "-pubkey", "-noout"))
    return cert, "sha256//" + base64.b64encode(hashlib.sha256(der).digest()).decode()


def vsftpd(a, port, cert):
    os.chmod(a.root, 0o755)  # vsftpd refuses a writable anonymous root
    banned = os.path.join(a.dir, "banned")
    open(banned, "w").write("wrong\n")
    tls = {"ftp": {}, "ftpes": {"ssl_enable": "YES"},
           "ftps": {"ssl_enable": "YES", "implicit_ssl": "YES"}}[a.mode]
    options = dict(listen="YES", listen_address="127.0.0.1", listen_port=port, background="NO",
                   anonymous_enable="YES", anon_root=a.root, write_enable="YES",
                   anon_upload_enable="YES", anon_other_write_enable="YES", anon_umask="022",
                   anon_mkdir_write_enable="YES", local_enable="NO", seccomp_sandbox="NO",
                   isolate="NO", isolate_network="NO", pasv_address="127.0.0.1",
                   connect_from_port_20="NO", deny_email_enable="YES", banned_email_file=banned,
                   allow_anon_ssl="YES", force_anon_logins_ssl="YES", force_anon_data_ssl="YES",
                   require_ssl_reuse="YES", rsa_cert_file=cert, xferlog_enable="YES",
                   xferlog_std_format="NO", log_ftp_protocol="YES", vsftpd_log_file=a.log, **tls)
    config = os.path.join(a.dir, "vsftpd.conf")
    open(config, "w").writelines(f"{k}={v}\n" for k, v in options.items())
    return ["/usr/sbin/vsftpd", config]


def proftpd(a, port, cert):
    passwd = os.path.join(a.dir, "passwd")
    open(passwd, "w").write(f"wareloom:{crypt.crypt('secret', crypt.mksalt())}:65534:65534::"
                            f"{a.root}:/bin/false\n")
    os.chmod(passwd, 0o600)
    group = os.path.join(a.dir, "group")
    open(group, "w").write("nogroup:x:65534:\n")
    tls = "" if a.mode == "ftp" else f"""
ModulePath {a.servers}/usr/lib/proftpd
LoadModule mod_tls.c
TLSEngine on
TLSRequired on
TLSRSACertificateFile {cert}
TLSRSACertificateKeyFile {cert}
TLSProtocol TLSv1.2 TLSv1.3
TLSLog {a.dir}/tls.log
{"TLSOptions UseImplicitSSL" if a.mode == "ftps" else ""}
"""
    config = os.path.join(a.dir, "proftpd.conf")
    open(config, "w").write(f"""ServerType standalone
ServerName "interop"
DefaultAddress 127.0.0.1
Port {port}
UseIPv6 off
User nobody
Group nogroup
PidFile {a.dir}/proftpd.pid
ScoreboardFile {a.dir}/proftpd.scoreboard
DelayTable none
WtmpLog off
UseReverseDNS off
AuthOrder mod_auth_file.c
AuthUserFile {passwd}
AuthGroupFile {group}
RequireValidShell off
DefaultRoot ~
AllowOverwrite on
SystemLog {a.dir}/system.log
LogFormat commands "%r"
ExtendedLog {a.log} ALL commands
TransferLog none
{tls}""")
    return [os.path.join(a.servers, "usr/sbin/proftpd"), "-n", "-q", "-c", config]


def pureftpd(a, port, cert):
    if a.mode == "ftps":
        sys.exit("Pure-FTPd has no implicit TLS")
    passwd, pdb = os.path.join(a.dir, "pure.passwd"), os.path.join(a.dir, "pure.pdb")
    pure_pw = os.path.join(a.servers, "usr/bin/pure-pw")
    output(pure_pw, "useradd", "wareloom", "-u", "65534", "-g", "65534", "-d", a.root, "-f", passwd,
           data=b"secret\nsecret\n")
    # pure-pw hashes with argon2id at 8 MB and 1,023 passes: seconds a login,
    # which no host's login costs. A SHA-512 crypt hash instead.
    fields = open(passwd).read().split(":")
    fields[1] = crypt.crypt("secret", crypt.mksalt(crypt.METHOD_SHA512))
    open(passwd, "w").write(":".join(fields))
    output(pure_pw, "mkdb", pdb, "-f", passwd)
    return [os.path.join(a.servers, "usr/sbin/pure-ftpd"), "-S", f"127.0.0.1,{port}", "-l",
            f"puredb:{pdb}", "-E", "-H", "-A", "-g", os.path.join(a.dir, "pure.pid")] + \
        (["-2", cert, "-Y", "2"] if cert else [])


def pyftpdlib(a, port, cert):
    return ["/usr/bin/python3", os.path.join(HERE, "ftp_server.py"), "--root", a.root, "--log",
            a.log, "--user", "wareloom", "--password", "secret", "--port", str(port)] + \
        (["--tls", cert] if a.mode == "ftpes" else [])


def ssh_host_key(a):
    key = os.path.join(a.dir, "host_key")
    output("ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f", key)
    return key, output("ssh-keygen", "-l", "-E", "sha256", "-f", key).decode().split()[1]


SFTP_ACCOUNT = "wareloom-sftp"


def sshd(a, port, cert):
    if os.geteuid() != 0:
        sys.exit("sshd logs in system accounts only: run as root")
    # One run at a time sets the account's password.
    a.lock = open("/run/lock/wareloom-sftp.lock", "w")
    fcntl.flock(a.lock, fcntl.LOCK_EX)
    try:
        pwd.getpwnam(SFTP_ACCOUNT)
    except KeyError:  # no home, no shell: internal-sftp runs inside sshd
        output("useradd", "--system", "--user-group", "--no-create-home", "--home-dir",
               "/nonexistent", "--shell", "/usr/sbin/nologin", SFTP_ACCOUNT)
    a.password = secrets.token_urlsafe(18)
    output("chpasswd", data=f"{SFTP_ACCOUNT}:{a.password}\n".encode())
    account = pwd.getpwnam(SFTP_ACCOUNT)
    os.chown(os.path.join(a.root, "htdocs"), account.pw_uid, account.pw_gid)
    os.makedirs("/run/sshd", 0o755, exist_ok=True)  # privilege separation, as the service has
    key, fingerprint = ssh_host_key(a)
    config = os.path.join(a.dir, "sshd_config")
    open(config, "w").write(f"""ListenAddress 127.0.0.1
Port {port}
HostKey {key}
PidFile {a.dir}/sshd.pid
UsePAM no
PasswordAuthentication yes
KbdInteractiveAuthentication no
PubkeyAuthentication no
AuthorizedKeysFile none
PermitRootLogin no
AllowUsers {SFTP_ACCOUNT}
StrictModes no
LogLevel VERBOSE
Subsystem sftp internal-sftp
ForceCommand internal-sftp -d {a.root}
""")
    a.key, a.user = fingerprint, SFTP_ACCOUNT
    return ["/usr/sbin/sshd", "-D", "-f", config, "-E", a.log]


def asyncssh(a, port, cert):
    import asyncio, asyncssh
    key, fingerprint = ssh_host_key(a)

    class Server(asyncssh.SSHServer):
        begin_auth = password_auth_supported = lambda self, *_: True

        def validate_password(self, username, password):
            with open(a.log, "a") as log:
                log.write("login " + username + "\n")
            return (username, password) == ("wareloom", "secret")

    async def serve():
        await asyncssh.create_server(Server, "127.0.0.1", port, server_host_keys=[key],
                                     sftp_factory=lambda c: asyncssh.SFTPServer(c, chroot=a.root))
        await asyncio.Event().wait()
    threading.Thread(target=lambda: asyncio.run(serve()), daemon=True).start()
    a.key = fingerprint


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("server", choices=("vsftpd", "proftpd", "pureftpd", "pyftpdlib",
                                           "sshd", "asyncssh"))
    parser.add_argument("mode", choices=("ftp", "ftpes", "ftps", "sftp"))
    for option in ("root", "log", "dir"):
        parser.add_argument("--" + option, required=True)
    parser.add_argument("--servers", default="", help="where ProFTPD and Pure-FTPd are unpacked")
    a = parser.parse_known_args()[0]
    os.chmod(a.dir, 0o755)  # the servers' own user reaches the home
    os.chmod(os.path.join(a.root, "htdocs"), 0o777)
    open(a.log, "a").close()
    os.chmod(a.log, 0o666)
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        port = s.getsockname()[1]
    cert, a.key = certificate(a) if a.mode in ("ftpes", "ftps") else ("", "-")
    a.user = "anonymous" if a.server == "vsftpd" else "wareloom"
    a.password = "secret"
    command = globals()[a.server](a, port, cert)
    child = None
    if command:  # the server goes with us, even when we are killed
        child = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                 preexec_fn=lambda: ctypes.CDLL(None).prctl(1, signal.SIGKILL))
    for _ in range(100):  # listening yet?
        try:
            socket.create_connection(("127.0.0.1", port), 0.1).close()
            break
        except OSError:
            threading.Event().wait(0.05)
    print(port, a.key, a.user, a.password, flush=True)
    sys.stdin.buffer.read()
    child and child.kill()
    if a.server == "sshd":
        output("usermod", "--lock", SFTP_ACCOUNT)
    os._exit(0)


if __name__ == "__main__":
    main()
