#!/usr/bin/python3
"""Publishing 201 pages to Ceph's S3 gateway and to an Apache WebDAV share,
beside `rclone sync` of the same pages to the same target in the same run:
first publish (empty folder) and republish after one edited item. Prints the
medians and the ratios.

    objectstores.py BUILD_DIR [--repeats N]
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_store  # noqa: E402

SERVER = os.path.join(HERE, "..", "tests", "support", "object_store_server.py")
CATEGORIES, ITEMS = 200, 20


def field(text):
    data = text.encode("cp1252")
    return data + b"\0" * (200 - len(data))


def start(kind, work):
    folder = os.path.join(work, kind)
    root = os.path.join(folder, "root")
    os.makedirs(root)
    arguments = [kind, "--dir", folder] + (["--root", root] if kind == "dav" else [])
    process = subprocess.Popen(["/usr/bin/python3", SERVER] + arguments, stdin=subprocess.PIPE,
                               stdout=subprocess.PIPE, text=True)
    port = process.stdout.readline().split()[0]
    keys = process.stdout.readline().split() if kind == "rgw" else ["wareloom", "secret"]
    return process, port, keys, root


def targets(work):
    """(name, process, wareloom server field, user, secret, rclone remote, clear)."""
    found = []
    for kind in ("rgw", "dav"):
        process, port, (user, secret), root = start(kind, work)
        if kind == "rgw":
            env = {"RCLONE_CONFIG_T_TYPE": "s3", "RCLONE_CONFIG_T_PROVIDER": "Ceph",
                   "RCLONE_CONFIG_T_ACCESS_KEY_ID": user,
                   "RCLONE_CONFIG_T_SECRET_ACCESS_KEY": secret,
                   "RCLONE_CONFIG_T_ENDPOINT": f"http://127.0.0.1:{port}"}
            server, remote = f"s3+http://127.0.0.1:{port}/wareloom", "t:wareloom/"
            clear = None  # by rclone purge
        else:
            obscured = subprocess.run(["rclone", "obscure", secret], capture_output=True,
                                      text=True, check=True).stdout.strip()
            env = {"RCLONE_CONFIG_T_TYPE": "webdav", "RCLONE_CONFIG_T_VENDOR": "other",
                   "RCLONE_CONFIG_T_URL": f"http://127.0.0.1:{port}/dav/",
                   "RCLONE_CONFIG_T_USER": user, "RCLONE_CONFIG_T_PASS": obscured}
            server, remote = f"dav://127.0.0.1:{port}/dav/", "t:"
            clear = root
        found.append((kind, process, server, user, secret, remote, env, clear))
    return found


def edit_price(store, category, price):
    """Changes the price of the first item of one category, as an edit would."""
    name = make_store.category_name(category) + ".dat"
    offset = sum(width for _, width in make_store.FIELDS[:2])
    with open(os.path.join(store, name).encode("utf-8"), "r+b") as items:
        items.seek(offset)
        items.write(make_store.field(price, dict(make_store.FIELDS)["price"]))


def timed(command, env=None):
    started = time.monotonic()
    subprocess.run(command, check=True, env=env, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    return time.monotonic() - started


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build")
    parser.add_argument("--repeats", type=int, default=3)
    a = parser.parse_args()
    wareloom = os.path.join(a.build, "src", "app", "wareloom")
    work = tempfile.mkdtemp(prefix="wareloom-objectstores-")
    os.chmod(work, 0o755)  # Apache, started as root, serves the share as nobody
    processes = []
    try:
        for kind, process, server, user, secret, remote, env, clear in targets(work):
            processes.append(process)
            rclone_env = dict(os.environ, **env)
            # rclone's S3 client cannot take a CA bundle with its own transport (plain HTTP here).
            rclone_env.pop("AWS_CA_BUNDLE", None)
            store = os.path.join(work, "store-" + kind)
            pages = os.path.join(work, "pages-" + kind)  # rclone's source: the pages alone
            os.makedirs(store)
            subprocess.run(["/usr/bin/python3", os.path.join(HERE, "make_store.py"), store,
                            str(CATEGORIES), str(ITEMS)], check=True)
            with open(os.path.join(store, "FTPServer.ftp"), "wb") as f:
                f.write(field(user) + field(secret) + field(server) + field("ours/") + field(""))
            ours_env = dict(os.environ, WARELOOM_DATA_DIR=store)

            def empty():
                if clear:
                    for folder in ("ours", "rclone"):
                        shutil.rmtree(os.path.join(clear, folder), ignore_errors=True)
                else:
                    for folder in ("ours", "rclone"):
                        subprocess.run(["rclone", "purge", remote + folder], env=rclone_env,
                                       capture_output=True)
                for name in ("Published.json",):
                    if os.path.exists(os.path.join(store, name)):
                        os.remove(os.path.join(store, name))

            def copy_pages():
                shutil.rmtree(pages, ignore_errors=True)
                os.makedirs(pages)
                for name in os.listdir(store):
                    if name.endswith(".htm"):
                        shutil.copy2(os.path.join(store, name), pages)

            subprocess.run([wareloom, "-Generate"], env=ours_env, check=True,
                           capture_output=True)
            first = {"ours": [], "rclone": []}
            again = {"ours": [], "rclone": []}
            for i in range(a.repeats):
                empty()
                copy_pages()
                first["ours"].append(timed([wareloom, "-Publish"], ours_env))
                first["rclone"].append(timed(["rclone", "sync", pages, remote + "rclone"],
                                             rclone_env))
                edit_price(store, i, f"{i + 1}.99 €")
                again["ours"].append(timed([wareloom, "-Publish"], ours_env))
                copy_pages()  # the edited page and the main page are newer
                again["rclone"].append(timed(["rclone", "sync", pages, remote + "rclone"],
                                             rclone_env))
            for what, times in (("first publish, 201 pages", first),
                                ("republish after one edit", again)):
                ours, theirs = (statistics.median(times[k]) for k in ("ours", "rclone"))
                print(f"{kind:4} {what}: wareloom {ours:.2f} s, rclone sync {theirs:.2f} s, "
                      f"{ours / theirs:.2f} x", flush=True)
    finally:
        for process in processes:
            process.stdin.close()
            process.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
