#!/usr/bin/python3
"""An object store or WebDAV server on a free port of 127.0.0.1 until stdin
closes; stdout says "<port> <key>" (the key as KnownHosts holds it, "-" without
TLS), then, for rgw, "<access key> <secret key>".

rgw: a one-monitor, one-OSD Ceph cluster in --dir (memstore, pool size 1, no
cephx inside the cluster) and its S3 gateway over HTTP (beast); about 20 s to
start. dav / davs: Apache with mod_dav_fs serving --root at /dav/ under Basic
authentication, user wareloom, password secret; davs over TLS with a
self-signed certificate. Every process started is killed by its PID at the end
(and with us, should we be killed)."""
import argparse, base64, ctypes, hashlib, os, signal, socket, subprocess, sys, time, uuid

ACCESS_KEY, SECRET_KEY = "WARELOOMTESTKEY00001", "wareloom/test+secret"
BUCKET = "wareloom"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def output(*command, data=None):
    return subprocess.run(command, input=data, check=True, capture_output=True).stdout


def start(command, log):
    # The child dies with us (PR_SET_PDEATHSIG), even when we are killed.
    return subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                            preexec_fn=lambda: ctypes.CDLL(None).prctl(1, signal.SIGKILL))


def wait_listening(port, seconds, processes):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if any(p.poll() is not None for p in processes):
            return False
        try:
            socket.create_connection(("127.0.0.1", port), 0.2).close()
            return True
        except OSError:
            time.sleep(0.1)
    return False


def rgw(a, processes):
    d = a.dir
    for sub in ("mon", "osd0", "run", "log", "rgw"):
        os.makedirs(os.path.join(d, sub), exist_ok=True)
    mon_port, port = free_port(), free_port()
    fsid = str(uuid.uuid4())
    conf = os.path.join(d, "ceph.conf")
    open(conf, "w").write(f"""[global]
fsid = {fsid}
mon host = v1:127.0.0.1:{mon_port}
mon initial members = a
auth cluster required = none
auth service required = none
auth client required = none
ms bind msgr2 = false
ms bind ipv6 = false
run dir = {d}/run
admin socket = {d}/run/$name.asok
log file = {d}/log/$name.log
keyring = /dev/null
mon data = {d}/mon
mon data avail crit = 0
mon data avail warn = 0
mon allow pool size one = true
mon max pg per osd = 1000
osd data = {d}/osd$id
osd objectstore = memstore
memstore device bytes = 1073741824
osd pool default size = 1
osd pool default min size = 1
osd pool default pg num = 8
osd pool default pgp num = 8
osd pool default pg autoscale mode = off
osd crush chooseleaf type = 0
[client.rgw]
rgw frontends = beast endpoint=127.0.0.1:{port}
rgw data = {d}/rgw
rgw enable usage log = false
""")
    log = open(os.path.join(d, "log", "out"), "ab")
    monmap = os.path.join(d, "monmap")
    output("monmaptool", "--create", "--addv", "a", f"[v1:127.0.0.1:{mon_port}]", "--fsid", fsid,
           monmap)
    output("ceph-mon", "-c", conf, "--mkfs", "-i", "a", "--monmap", monmap)
    processes.append(start(["ceph-mon", "-c", conf, "-i", "a", "-f"], log))
    if not wait_listening(mon_port, 30, processes):
        sys.exit("ceph-mon did not start")
    ceph = ["ceph", "-c", conf, "--connect-timeout", "30"]
    osd_id = output(*ceph, "osd", "create").decode().strip()
    output("ceph-osd", "-c", conf, "-i", osd_id, "--mkfs")
    processes.append(start(["ceph-osd", "-c", conf, "-i", osd_id, "-f"], log))
    processes.append(start(["radosgw", "-c", conf, "-n", "client.rgw", "-f"], log))
    if not wait_listening(port, 120, processes):
        sys.exit("radosgw did not start")
    output("radosgw-admin", "-c", conf, "user", "create", "--uid", "wareloom", "--display-name",
           "wareloom", "--access-key", ACCESS_KEY, "--secret-key", SECRET_KEY)
    empty = hashlib.sha256(b"").hexdigest()
    output("curl", "-sSf", "-X", "PUT", "--aws-sigv4", "aws:amz:us-east-1:s3", "-u",
           f"{ACCESS_KEY}:{SECRET_KEY}", "-H", f"x-amz-content-sha256: {empty}",
           f"http://127.0.0.1:{port}/{BUCKET}")
    return port, "-"


def certificate(a):
    cert, key = os.path.join(a.dir, "cert.pem"), os.path.join(a.dir, "key.pem")
    output("openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
           "/CN=localhost", "-keyout", key, "-out", cert)
    der = output("openssl", "pkey", "-pubin", "-outform", "DER",
                 data=output("openssl", "x509", "-in", cert, "-pubkey", "-noout"))
    return cert, key, "sha256//" + base64.b64encode(hashlib.sha256(der).digest()).decode()


def apache(a, processes):
    d, port = a.dir, free_port()
    modules = "/usr/lib/apache2/modules"
    passwords = os.path.join(d, "htpasswd")
    output("htpasswd", "-bc", passwords, "wareloom", "secret")
    tls, key = "", "-"
    if a.server == "davs":
        cert, private, key = certificate(a)
        tls = (f"LoadModule ssl_module {modules}/mod_ssl.so\nSSLEngine on\n"
               f"SSLCertificateFile {cert}\nSSLCertificateKeyFile {private}\n")
    conf = os.path.join(d, "apache.conf")
    loads = "".join(f"LoadModule {m}_module {modules}/mod_{m}.so\n" for m in (
        "mpm_event", "authz_core", "authn_core", "authn_file", "authz_user", "auth_basic",
        "dav", "dav_fs", "alias", "mime", "dir"))
    # As root Apache serves as nobody: the share and the lock database are theirs too.
    user = "" if os.getuid() else "User nobody\nGroup nogroup\n"
    locks = os.path.join(d, "locks")
    os.makedirs(locks, exist_ok=True)
    for folder in (locks, a.root):
        os.chmod(folder, 0o777)
    os.chmod(os.path.dirname(os.path.abspath(a.root)), 0o755)
    open(conf, "w").write(f"""{loads}{user}ServerName 127.0.0.1
Listen 127.0.0.1:{port}
ServerRoot {d}
PidFile {d}/apache.pid
ErrorLog {d}/error.log
LogFormat "%r %>s" short
CustomLog {a.log} short
TypesConfig /etc/mime.types
DocumentRoot {a.root}
DavLockDB {locks}/davlock
{tls}Alias /dav {a.root}
<Directory />
  AllowOverride None
</Directory>
<Directory {a.root}>
  Dav On
  AuthType Basic
  AuthName "wareloom"
  AuthUserFile {passwords}
  Require valid-user
</Directory>
""")
    os.chmod(d, 0o755)
    log = open(os.path.join(d, "out"), "ab")
    processes.append(start(["apache2", "-X", "-f", conf], log))
    if not wait_listening(port, 20, processes):
        sys.exit("apache2 did not start: " + open(os.path.join(d, "out")).read())
    return port, key


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("server", choices=("rgw", "dav", "davs"))
    parser.add_argument("--dir", required=True, help="a folder of the server's own")
    parser.add_argument("--root", help="the folder the WebDAV share serves")
    parser.add_argument("--log", default=os.devnull, help="Apache's request lines")
    a = parser.parse_args()
    processes = []
    try:
        port, key = (rgw if a.server == "rgw" else apache)(a, processes)
        print(port, key, flush=True)
        if a.server == "rgw":
            print(ACCESS_KEY, SECRET_KEY, flush=True)
        sys.stdin.buffer.read()
    finally:
        for p in processes:
            p.kill()
            p.wait()


if __name__ == "__main__":
    main()
