#!/usr/bin/python3
"""Runs Wareloom's benchmarks, each beside a reference measured in the same run,
and prints a table of medians and ratios. Started by bench/run, which builds the
programs first.

    bench.py BUILD_DIR [--repeats N] [--quick] [--only NAME ...]
"""

import argparse
import contextlib
import json
import os
import platform
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_store  # noqa: E402

RECORD = 90
TIMEOUT = 900  # seconds any one run may take before the benchmark gives up


class Bench:
    def __init__(self, build, repeats, quick):
        self.build = build
        self.repeats = repeats
        self.quick = quick
        self.wareloom = os.path.join(build, "src", "app", "wareloom")
        self.window_bench = os.path.join(build, "bench", "wareloom_window_bench")
        self.floor = os.path.join(build, "bench", "wareloom_generate_floor")
        self.has_floor = os.path.exists(self.floor)
        self.work = os.path.join(build, "bench-work")
        os.makedirs(self.work, exist_ok=True)
        self.rows = []    # the results table
        self.growth = {}  # size -> {what: median seconds}
        self.runs = {}    # size -> {what: [seconds of each run]}
        self.notes = []

    # --- helpers ---------------------------------------------------------

    def path(self, *names):
        return os.path.join(self.work, *names)

    def env(self, data_dir):
        env = dict(os.environ)
        env["WARELOOM_DATA_DIR"] = data_dir
        env["QT_QPA_PLATFORM"] = "offscreen"
        env.setdefault("XDG_RUNTIME_DIR", self.path("runtime"))
        os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
        return env

    @staticmethod
    def timed(command, env=None, cwd=None):
        """Wall time of one run in seconds; the command must succeed."""
        return Bench.timed_with_messages(command, env, cwd)[0]

    @staticmethod
    def timed_with_messages(command, env=None, cwd=None):
        """Wall time of one run in seconds and its messages (stderr); the
        command must succeed. The messages go to a file: a pipe would wake this
        process at every line and take a core from the run being timed."""
        with tempfile.TemporaryFile() as messages:
            start = time.perf_counter()
            returncode = run_bounded(command, env=env, cwd=cwd, stdout=subprocess.DEVNULL,
                                     stderr=messages)
            elapsed = time.perf_counter() - start
            messages.seek(0)
            text = messages.read().decode(errors="replace")
            if returncode != 0:
                raise RuntimeError(f"{command[0]} failed ({returncode}): {text[-2000:]}")
        return elapsed, text

    def make_store(self, name, categories, items, vary=False):
        """A store made once and kept for later runs of the benchmark."""
        directory = self.path(name)
        stamp = os.path.join(directory, ".made")
        wanted = f"{categories} {items} {vary} {os.path.getmtime(make_store.__file__)}"
        if os.path.exists(stamp) and open(stamp).read() == wanted:
            return directory
        print(f"  making store {name}: {categories} categories x {items} items", flush=True)
        command = [sys.executable, make_store.__file__, directory, str(categories), str(items)]
        subprocess.run(command + (["--vary"] if vary else []), check=True)
        with open(stamp, "w") as out:
            out.write(wanted)
        return directory

    @staticmethod
    def copy_pages(store, pages):
        """The generated pages of a store, alone in a folder of their own, with
        the times -Generate gave them (what lftp --only-newer compares)."""
        shutil.rmtree(pages, ignore_errors=True)
        os.makedirs(pages)
        count = 0
        for entry in os.scandir(store):
            if entry.name.endswith(".htm"):
                shutil.copy2(entry.path, os.path.join(pages, entry.name))
                count += 1
        return count

    def side_by_side(self, ours, *references, repeats=None):
        """Runs ours() and each reference() self.repeats (or repeats) times, in
        rounds close in time whose order turns each round; returns a list of
        times for ours and for each reference, in that order."""
        runs = [ours, *references]
        times = [[] for _ in runs]
        for turn in range(repeats or self.repeats):
            for step in range(len(runs)):
                which = (turn + step) % len(runs)
                times[which].append(runs[which]())
        return times

    def add(self, what, workload, ours, reference_name=None, reference=None, limit=None,
            target="", met=None, sent=None):
        """A row of the table from the times of every run. Runs made as pairs are
        compared pair by pair (the median of their ratios), so that a spell of
        other work on the machine slows both sides of a pair alike."""
        ratio = None
        if reference:
            if len(ours) == len(reference):
                ratio = statistics.median(a / b for a, b in zip(ours, reference))
            else:
                ratio = statistics.median(ours) / statistics.median(reference)
        if limit is not None:
            met = (ratio if reference else statistics.median(ours)) <= limit and met is not False
        self.rows.append((what, workload, statistics.median(ours), reference_name,
                          statistics.median(reference) if reference else None, ratio, target,
                          met, sent))

    # --- page generation ------------------------------------------------

    def generate(self, sizes, items):
        """A full -Generate (no page cache: every page written over the old one)
        and -Generate after one item edited, each beside cp -r of the pages."""
        print("page generation (-Generate)", flush=True)
        for categories in sizes:
            store = self.make_store(f"gen{categories}", categories, items)
            env = self.env(store)
            self.timed([self.wareloom, "-Generate"], env)  # first pages, warm caches
            pages = self.path(f"gen{categories}-pages")
            count = self.copy_pages(store, pages)
            if count != categories + 1:
                raise RuntimeError(f"-Generate wrote {count} pages for {categories} categories")
            copy = self.path("copy-target")
            turns = iter(range(1_000_000))

            def generate():
                forget_pages(store)
                os.sync()
                return self.timed([self.wareloom, "-Generate"], env)

            def after_edit():
                edit_price(store, categories // 2, 3, f"{next(turns) % 1000}.99 €")
                os.sync()
                before = written_pages(store)
                elapsed = self.timed([self.wareloom, "-Generate"], env)
                changed = written_pages(store, before)
                if changed != 2:
                    raise RuntimeError(f"-Generate after one edit wrote {changed} pages")
                return elapsed

            def copy_pages():
                shutil.rmtree(copy, ignore_errors=True)
                os.sync()
                return self.timed(["cp", "-r", pages, copy])

            edited_page = make_store.category_name(categories // 2) + ".htm"

            def floor():
                os.sync()
                return self.timed([self.floor, store, edited_page])

            runs = [generate, after_edit, copy_pages] + ([floor] if self.has_floor else [])
            ours, edited, reference, *least = self.side_by_side(*runs)
            for name in (".floor-page", ".floor-main", ".floor-cache"):
                with contextlib.suppress(FileNotFoundError):
                    os.unlink(os.path.join(store, name))
            shutil.rmtree(copy, ignore_errors=True)
            self.runs[categories] = {"generate": ours, "edited": edited, "cp": reference,
                                     "floor": least[0] if least else None}
            self.growth.setdefault(categories, {})["generate"] = statistics.median(ours)
            self.growth[categories]["cp"] = statistics.median(reference)
            print(f"  {categories:>5} categories: -Generate {spread(ours)}, after one edit "
                  f"{spread(edited)}, cp -r {spread(reference)}"
                  + (f", the floor of a run after one edit {spread(least[0])}" if least else ""),
                  flush=True)
        largest = max(sizes)
        workload = f"{largest:,} categories x {items} items"
        self.add("page generation, every page (-Generate, no page cache)", workload,
                 self.runs[largest]["generate"], "cp -r of the pages", self.runs[largest]["cp"],
                 1.5, "<= 1.5 x cp -r")
        self.add("page generation after one item edited (-Generate)", workload,
                 self.runs[largest]["edited"], "cp -r of the pages", self.runs[largest]["cp"],
                 0.05, "<= 0.05 x cp -r")
        if self.runs[largest]["floor"]:
            # What any program on QtCore must do after one edit (bench/generate_floor.cpp).
            self.add("the floor of -Generate after one edit (QtCore start, a stat per file, "
                     "2 pages and the cache written)", workload, self.runs[largest]["floor"],
                     "cp -r of the pages", self.runs[largest]["cp"])
        return largest

    def modern(self, categories, items):
        """The modern style (Website.ini Style=Modern) against the classic one on
        two copies of the same store, in pairs. Each style keeps its own pages:
        switching styles replaces every page once, which is no steady state."""
        print("page generation, modern style", flush=True)
        classic_env = self.env(self.make_store(f"gen{categories}", categories, items))
        store = self.make_store(f"gen{categories}-modern", categories, items)
        with open(os.path.join(store, "Website.ini"), "w") as out:
            out.write("[Website]\nStyle=Modern\n")
        modern_env = self.env(store)

        def generate(env):
            def run():
                forget_pages(env["WARELOOM_DATA_DIR"])
                os.sync()
                return self.timed([self.wareloom, "-Generate"], env)
            return run

        turns = iter(range(1_000_000))

        def after_edit():
            # A price is in the category page only: search.js stays as it is.
            edit_price(store, categories // 2, 3, f"{next(turns) % 1000}.99 €")
            os.sync()
            before = written_pages(store)
            elapsed = self.timed([self.wareloom, "-Generate"], modern_env)
            if written_pages(store, before) != 2:
                raise RuntimeError("-Generate after one edit did not write exactly two pages")
            return elapsed

        for env in (modern_env, classic_env):  # first pages, warm caches
            generate(env)()
        modern, classic, edited = self.side_by_side(generate(modern_env), generate(classic_env),
                                                    after_edit)
        print(f"  modern {spread(modern)}, classic {spread(classic)}, modern after one edit "
              f"{spread(edited)}", flush=True)
        workload = f"{categories:,} categories x {items} items"
        self.add("page generation, modern style (-Generate)", workload, modern,
                 "the classic style, same store", classic, 2.0, "<= 2 x classic")
        self.add("page generation after one item edited, modern style (-Generate)", workload,
                 edited, "every modern page", modern)

    def hugo(self, categories, items):
        print("Hugo reference", flush=True)
        store = self.path(f"gen{categories}")
        site = self.path(f"hugo{categories}")
        stamp = os.path.join(site, ".made")
        if not (os.path.exists(stamp) and
                os.path.getmtime(stamp) > os.path.getmtime(os.path.join(store, ".made"))):
            self.make_hugo_site(store, site)
            open(stamp, "w").close()
        out = self.path("hugo-out")
        times = []
        repeats = max(1, min(self.repeats, 3))
        for _ in range(repeats):
            shutil.rmtree(out, ignore_errors=True)
            os.sync()
            times.append(self.timed(["hugo", "--quiet", "-s", site, "-d", out]))
        pages = sum(1 for name in os.listdir(out) if name.endswith(".html"))
        if pages != categories:
            raise RuntimeError(f"Hugo built {pages} pages for {categories} categories")
        shutil.rmtree(out, ignore_errors=True)
        print(f"  hugo {spread(times)}", flush=True)
        self.add("page generation (-Generate)", f"{categories:,} categories x {items} items",
                 self.runs[categories]["generate"], "Hugo, same tables from data/*.json",
                 times, 0.1, "<= 0.1 x Hugo")

    @staticmethod
    def make_hugo_site(store, site):
        """One data file and one content stub per category, one template."""
        shutil.rmtree(site, ignore_errors=True)
        for folder in ("content", "data", "layouts/_default"):
            os.makedirs(os.path.join(site, folder))
        with open(os.path.join(site, "config.toml"), "w") as out:
            out.write('baseURL = "http://example.invalid/"\n'
                      'disableKinds = ["taxonomy", "term", "RSS", "sitemap", "robotsTXT", '
                      '"404", "home", "section"]\n'
                      "uglyURLs = true\n")
        with open(os.path.join(HERE, "hugo-single.html")) as template:
            shutil.copyfileobj(template, open(os.path.join(site, "layouts/_default/single.html"),
                                              "w"))
        names = sorted(name for name in os.listdir(store) if name.endswith(".dat"))
        for number, name in enumerate(names):
            key = f"c{number:05d}"
            with open(os.path.join(store, name), "rb") as data:
                body = data.read()
            items = []
            for offset in range(0, len(body) - RECORD + 1, RECORD):
                fields = []
                start = offset
                for _, width in make_store.FIELDS:
                    raw = body[start:start + width].split(b"\0", 1)[0]
                    fields.append(raw.decode(make_store.CODE_PAGE))
                    start += width
                name_, code, price, qty = fields
                items.append({"n": name_, "q": qty, "p": price, "c": code})
            with open(os.path.join(site, "data", key + ".json"), "w") as out:
                json.dump({"items": items}, out, ensure_ascii=False)
            with open(os.path.join(site, "content", key + ".md"), "w") as out:
                out.write(f"---\ntitle: {json.dumps(name[:-4], ensure_ascii=False)}\n"
                          f"cat: \"{key}\"\n---\n")

    # --- category-view rebuild ------------------------------------------

    def rebuild(self, sizes):
        print("category-view rebuild", flush=True)
        for files in sizes:
            store = self.make_store(f"list{files}", files, 20, vary=True)
            env = self.env(store)
            subprocess.run(["ls", "-l", store], stdout=subprocess.DEVNULL, check=True)
            ours, reference = self.side_by_side(
                lambda: self.window_times(["rebuild", "1"], env, files)[0][0],
                lambda: self.timed(["ls", "-l", store]))
            self.growth.setdefault(files, {})["rebuild"] = statistics.median(ours)
            self.growth[files]["ls"] = statistics.median(reference)
            self.runs.setdefault(files, {}).update(rebuild=ours, ls=reference)
            print(f"  {files:>5} files: rebuild {spread(ours)}, ls -l {spread(reference)}", flush=True)
        largest = max(sizes)
        self.add("category-view rebuild", f"{largest:,} category files",
                 self.runs[largest]["rebuild"], "ls -l of the folder", self.runs[largest]["ls"],
                 2.0, "<= 2 x ls -l")

    def window_times(self, arguments, env, lines=None):
        """The times the window benchmark prints, in seconds, and its named values."""
        env = dict(env, WARELOOM_BENCH_LAUNCH_NS=str(time.monotonic_ns()))
        done = subprocess.run([self.window_bench] + arguments, env=env, check=True,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                              timeout=TIMEOUT)
        words = done.stdout.split()
        named = dict(word.split("=", 1) for word in words[1:] if "=" in word)
        if lines is not None and named.get("lines") != str(lines):
            raise RuntimeError(f"the list did not hold {lines} lines: {done.stdout}")
        return [float(word) / 1000 for word in words[1:] if "=" not in word], named

    # --- start-up ---------------------------------------------------------

    def startup(self, categories):
        print("start-up to the first full category list", flush=True)
        store = self.make_store(f"start{categories}", categories, 20, vary=True)
        env = self.env(store)
        self.window_times(["startup", str(categories)], env)  # warm the caches
        times, from_main = [], []
        for _ in range(self.repeats):
            launch, named = self.window_times(["startup", str(categories)], env)
            times += launch
            from_main.append(float(named["main"]) / 1000)
        print(f"  from launch {spread(times)}; from main() {spread(from_main)}", flush=True)
        self.add("start-up to the first full category list (from launch)",
                 f"{categories} categories, offscreen", times, limit=0.25, target="< 250 ms")

    # --- peak memory ----------------------------------------------------

    def memory(self, categories, items):
        print("peak memory of -Generate", flush=True)
        store = self.path(f"gen{categories}")
        peaks = []
        for _ in range(max(1, min(self.repeats, 3))):
            forget_pages(store)
            done = subprocess.run(["/usr/bin/time", "-f", "%M", self.wareloom, "-Generate"],
                                  env=self.env(store), stdout=subprocess.DEVNULL,
                                  stderr=subprocess.PIPE, text=True, check=True,
                                  timeout=TIMEOUT)
            peaks.append(int(done.stderr.strip().splitlines()[-1]))
        peak = statistics.median(peaks)
        print(f"  {peak / 1024:.1f} MB", flush=True)
        self.rows.append(("peak memory of -Generate (max RSS)",
                          f"{categories:,} categories x {items} items", peak, None, None, None,
                          "< 40 MB", peak < 40 * 1024, None))

    # --- publish run ----------------------------------------------------

    def publish(self, categories, items):
        print("publish run (-Publish) to vsftpd on loopback", flush=True)
        store = self.make_store(f"pub{categories}", categories, items)
        # The server keeps its files in memory: its disk would time the
        # other work on this machine, not the uploads.
        memory = "/dev/shm" if os.access("/dev/shm", os.W_OK) else self.work
        with FtpServer(os.path.join(memory, f"wareloom-bench-ftp-{os.getpid()}")) as server:
            write_settings(os.path.join(store, "FTPServer.ftp"), server.port)
            env = self.env(store)
            self.timed([self.wareloom, "-Publish"], env)
            pages = self.path(f"pub{categories}-pages")
            count = self.copy_pages(store, pages)
            server.check(pages, count)
            login = ["lftp", "-u", "anonymous,bench", "-p", str(server.port), "127.0.0.1", "-e"]
            one_connection = "set net:connection-limit 1; set mirror:parallel-transfer-count 1; "
            # As given: lftp's defaults (passive data connections). And in the
            # active mode this program uses first, connection for connection.
            as_given = login + [one_connection + f"mirror -R {pages} /upload; quit"]
            active = login + ["set ftp:passive-mode off; " + one_connection +
                              f"mirror -R {pages} /upload; quit"]

            def publish(*switches):
                def run():
                    server.clear()
                    wait_for_ports()
                    elapsed = self.timed([self.wareloom, "-Publish", *switches], env)
                    server.check(store, count)  # its main page has a new time stamp
                    return elapsed
                return run

            def mirror(command):
                server.clear()
                wait_for_ports()
                elapsed = self.timed(command)
                server.check(pages, count)
                return elapsed

            def unchanged():
                # The host has every page (each case leaves them there): only
                # the main page goes.
                wait_for_ports()
                elapsed, messages = self.timed_with_messages([self.wareloom, "-Publish"], env)
                if f"Summary: 1 sent, {count - 1} unchanged, 0 failed" not in messages:
                    raise RuntimeError("-Publish with nothing changed: " + messages[-300:])
                return elapsed

            # Thousands of round trips: the most sensitive to other work here,
            # and quick, so more rounds.
            ours, everything, nothing, given, same_mode = self.side_by_side(
                publish(), publish("-All"), unchanged, lambda: mirror(as_given),
                lambda: mirror(active), repeats=max(self.repeats, 9))
        print(f"  -Publish {spread(ours)}\n  -Publish -All {spread(everything)}\n"
              f"  -Publish, nothing changed {spread(nothing)}\n"
              f"  lftp mirror -R {spread(given)}\n"
              f"  lftp mirror -R, active mode {spread(same_mode)}", flush=True)
        workload = f"{categories:,} categories x {items} items"
        self.add("publish run (-Publish)", workload, ours, "lftp mirror -R, one connection",
                 given, 1.0, "<= 1.0 x lftp")
        self.add("publish run (-Publish)", workload, ours,
                 "lftp mirror -R, one connection, active mode like ours", same_mode, 1.0,
                 "<= 1.0 x lftp")
        self.add("publish run, everything (-Publish -All)", workload, everything,
                 "lftp mirror -R", given, 1.2, "<= 1.2 x lftp")
        self.add("publish run, nothing changed (-Publish)", workload, nothing, limit=0.3,
                 target="<= 0.3 s")

    # --- publishing over a distant link ------------------------------------

    def distant(self, sizes, items, edited_store, rtt_ms=50):
        """First publish of a store, then a republish after one item changed,
        to a server that answers a round trip late, against lftp with four
        connections on the same server."""
        print(f"publishing over a distant link ({rtt_ms} ms round trip)", flush=True)
        repeats = max(1, min(self.repeats, 3))  # every run takes tens of seconds
        memory = "/dev/shm" if os.access("/dev/shm", os.W_OK) else self.work
        folder = os.path.join(memory, f"wareloom-bench-far-{os.getpid()}")
        with DelayFtpServer(folder, rtt_ms) as server:
            lftp = ["lftp", "-u", "anonymous,bench", "-p", str(server.port), "127.0.0.1", "-e"]
            for categories in sizes:
                self.first_publish(server, lftp, categories, items, repeats)
            self.republish(server, lftp, edited_store, items, repeats)

    def far_store(self, server, categories, items):
        """A fresh copy of a store made once, set to publish to server; returns
        its folder and environment."""
        template = self.make_store(f"far{categories}", categories, items)
        data = self.path(f"far{categories}-data")
        shutil.rmtree(data, ignore_errors=True)
        shutil.copytree(template, data, ignore=shutil.ignore_patterns(".made"))
        write_settings(os.path.join(data, "FTPServer.ftp"), server.port)
        return data, self.env(data)

    def first_publish(self, server, lftp, categories, items, repeats):
        """A store never published, to an empty host: every page goes."""
        data, env = self.far_store(server, categories, items)
        self.timed([self.wareloom, "-Generate"], env)
        pages = self.path(f"far{categories}-pages")
        count = self.copy_pages(data, pages)
        sent = ([], [])

        def publish():
            data, env = self.far_store(server, categories, items)  # no record of a publish
            server.clear("upload")
            wait_for_ports()
            mark = server.mark()
            elapsed = self.timed([self.wareloom, "-Publish"], env)
            sent[0].append(server.stored_since(mark))
            check_upload(data, os.path.join(server.root, "upload"), count)
            return elapsed

        def mirror():
            server.clear("mirror")
            wait_for_ports()
            mark = server.mark()
            elapsed = self.timed(lftp + [f"mirror -R --parallel=4 {pages} /mirror; quit"])
            sent[1].append(server.stored_since(mark))
            check_upload(pages, os.path.join(server.root, "mirror"), count)
            return elapsed

        ours, reference = self.side_by_side(publish, mirror, repeats=repeats)
        print(f"  {count} pages: -Publish {spread(ours)}, files sent {sent[0]}\n"
              f"  {count} pages: lftp mirror -R --parallel=4 {spread(reference)}, "
              f"files sent {sent[1]}", flush=True)
        self.add("first publish over a distant link (-Publish)",
                 f"{count:,} pages ({categories:,} categories x {items} items), empty host, "
                 f"{server.rtt_ms:g} ms round trip", ours, "lftp mirror -R --parallel=4",
                 reference, 1.0, "<= 1.0 x lftp", sent=medians(sent))

    def republish(self, server, lftp, categories, items, repeats):
        """One item edited, then -Publish (which regenerates the pages); lftp
        mirrors the same regenerated pages, their times as -Generate left
        them, sending only those newer than the host's copy."""
        data, env = self.far_store(server, categories, items)
        pages = self.path(f"far{categories}-mirrored")
        server.clear("upload")
        server.clear("mirror")
        wait_for_ports()
        self.timed([self.wareloom, "-Publish"], env)  # the first publish, not timed
        count = self.copy_pages(data, pages)
        check_upload(data, os.path.join(server.root, "upload"), count)
        command = lftp + [f"mirror -R --only-newer --parallel=4 {pages} /mirror; quit"]
        self.timed(command)
        check_upload(pages, os.path.join(server.root, "mirror"), count)
        ours, reference, sent, summaries = [], [], ([], []), []
        for turn in range(repeats):
            edit_price(data, categories // 2, 3, f"{900 + turn}.99 €")
            wait_for_ports()
            mark = server.mark()
            elapsed, messages = self.timed_with_messages([self.wareloom, "-Publish"], env)
            ours.append(elapsed)
            sent[0].append(server.stored_since(mark))
            summaries += [line for line in messages.splitlines() if line.startswith("Summary:")]
            check_upload(data, os.path.join(server.root, "upload"), count)
            self.copy_pages(data, pages)
            mark = server.mark()
            reference.append(self.timed(command))
            sent[1].append(server.stored_since(mark))
            check_upload(pages, os.path.join(server.root, "mirror"), count)
        print(f"  republish: -Publish {spread(ours)}, files sent {sent[0]} "
              f"{summaries[-1] if summaries else '(no summary line)'}\n"
              f"  republish: lftp mirror -R --only-newer --parallel=4 {spread(reference)}, "
              f"files sent {sent[1]}", flush=True)
        self.add("republish after one item edited (-Publish)",
                 f"{count:,} pages ({categories:,} categories x {items} items), "
                 f"{server.rtt_ms:g} ms round trip", ours,
                 "lftp mirror -R --only-newer --parallel=4 of the regenerated pages", reference,
                 target="<= 2 s and <= 3 files",
                 met=statistics.median(ours) <= 2 and max(sent[0]) <= 3, sent=medians(sent))

    # --- report ---------------------------------------------------------

    def report(self, started_load):
        lines = ["| what | workload | Wareloom (median) | reference in the same run (median) "
                 "| ratio (median of pairs) | target | met |",
                 "|---|---|---|---|---|---|---|"]
        for what, workload, ours, ref_name, ref, ratio, target, met, sent in self.rows:
            shown = f"{ours / 1024:.1f} MB" if "memory" in what else duration(ours)
            reference = f"{ref_name}: {duration(ref)}" if ref_name else "-"
            if sent:  # files sent: (ours, reference), medians
                shown += f", {sent[0]:g} files sent"
                reference += f", {sent[1]:g} files sent"
            lines.append(f"| {what} | {workload} | {shown} | {reference} | "
                         f"{f'{ratio:.2f}' if ratio is not None else '-'} | {target} | "
                         f"{'-' if met is None else ('yes' if met else 'NO')} |")
        if self.growth:
            lines += ["", "| categories (files) | -Generate | per category | cp -r | "
                          "category-view rebuild | per file | ls -l |",
                      "|---|---|---|---|---|---|---|"]
            for size in sorted(self.growth):
                g = self.growth[size]
                gen = g.get("generate")
                rebuild = g.get("rebuild")
                lines.append(
                    f"| {size:,} | {duration(gen)} | {duration(gen / size if gen else None)} | "
                    f"{duration(g.get('cp'))} | {duration(rebuild)} | "
                    f"{duration(rebuild / size if rebuild else None)} | {duration(g.get('ls'))} |")
        lines += ["", f"repeats: {self.repeats}; load average before: "
                      f"{' '.join(f'{x:.2f}' for x in started_load)}, after: "
                      f"{' '.join(f'{x:.2f}' for x in os.getloadavg())}",
                  f"machine: {machine()}"]
        text = "\n".join(lines) + "\n"
        print()
        print(text)
        with open(self.path("results.md"), "w") as out:
            out.write(text)
        return all(row[7] is not False for row in self.rows)


def duration(seconds):
    if seconds is None:
        return "-"
    if seconds >= 1:
        return f"{seconds:.2f} s"
    if seconds >= 0.001:
        return f"{seconds * 1000:.1f} ms"
    return f"{seconds * 1e6:.0f} µs"


def run_bounded(command, **options):
    """Runs a command to its end, killed after TIMEOUT seconds; returns its exit
    status. Waits in the kernel: subprocess's own time-out polls in steps of up
    to 50 ms, which would show in the times."""
    process = subprocess.Popen(command, **options)
    watchdog = threading.Timer(TIMEOUT, process.kill)
    watchdog.start()
    try:
        return process.wait()
    finally:
        watchdog.cancel()


def sockets_waiting():
    """TCP sockets in TIME_WAIT on this machine."""
    count = 0
    for table in ("/proc/net/tcp", "/proc/net/tcp6"):
        try:
            with open(table) as sockets:
                next(sockets)
                count += sum(1 for line in sockets if line.split()[3] == "06")
        except FileNotFoundError:
            pass
    return count


def wait_for_ports(limit=8000):
    """Every upload leaves a socket waiting for a minute, holding a local port.
    With the ephemeral range (about 28,000 ports) nearly taken, each new data
    connection searches long for a port and every run slows down many times
    over: wait until enough have expired."""
    first = sockets_waiting()
    if first <= limit:
        return
    print(f"  ({first} sockets in TIME_WAIT: waiting until at most {limit})", flush=True)
    deadline = time.monotonic() + 120
    while sockets_waiting() > limit and time.monotonic() < deadline:
        time.sleep(1)


def spread(times):
    """Median, then every run in milliseconds, for the progress lines."""
    runs = " ".join(f"{t * 1000:.0f}" for t in times)
    return f"{duration(statistics.median(times))} (runs, ms: {runs})"


def machine():
    cpu = "?"
    with open("/proc/cpuinfo") as info:
        for line in info:
            if line.startswith("model name"):
                cpu = line.split(":", 1)[1].strip()
                break
    with open("/proc/meminfo") as info:
        memory = int(info.readline().split()[1]) // 1024 // 1024
    compiler = subprocess.run(["c++", "--version"], stdout=subprocess.PIPE,
                              text=True).stdout.splitlines()[0]
    return (f"{os.cpu_count()} cores, {cpu}, {memory} GiB RAM, kernel {platform.release()}, "
            f"{compiler}")


def write_settings(path, port):
    """FTPServer.ftp: user, password, server, upload path, HTTP server, 200 bytes each."""
    fields = ["anonymous", "bench@", f"127.0.0.1:{port}", "/upload/", "http://127.0.0.1/"]
    with open(path, "wb") as out:
        for text in fields:
            data = text.encode("cp1252")
            out.write(data + b"\0" * (200 - len(data)))


def free_port(first=None, last=None):
    """A free loopback port: any, or the first free one from first to last."""
    for port in range(first, last + 1) if first else [0]:
        with socket.socket() as probe:
            try:
                probe.bind(("127.0.0.1", port))
            except OSError:
                continue
            return probe.getsockname()[1]
    raise RuntimeError(f"no free port from {first} to {last}")


class FtpServer:
    """vsftpd on loopback, anonymous uploads into FOLDER/root/upload; stopped and
    removed on exit."""

    def __init__(self, folder):
        self.folder = folder
        self.root = os.path.join(folder, "root")
        self.upload = os.path.join(self.root, "upload")
        self.port = free_port()
        self.process = None

    def __enter__(self):
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.upload)
        os.chmod(self.root, 0o755)  # vsftpd refuses a writable chroot
        shutil.chown(self.upload, "ftp", "ftp")
        config = os.path.join(self.folder, "vsftpd.conf")
        # Passive ports below the ephemeral range, where thousands of active-mode
        # data connections leave sockets waiting.
        passive = free_port(20000 + os.getpid() % 5000, 32000)
        with open(config, "w") as out:
            out.write("\n".join([
                "listen=YES", "listen_ipv6=NO", "listen_address=127.0.0.1",
                f"listen_port={self.port}", "background=NO", "seccomp_sandbox=NO",
                "isolate=NO", "isolate_network=NO",
                "anonymous_enable=YES", "local_enable=NO", "no_anon_password=YES",
                f"anon_root={self.root}", "write_enable=YES", "anon_upload_enable=YES",
                "anon_mkdir_write_enable=YES", "anon_other_write_enable=YES", "anon_umask=022",
                "port_enable=YES", "connect_from_port_20=NO",
                "pasv_enable=YES", "pasv_address=127.0.0.1",
                f"pasv_min_port={passive}", f"pasv_max_port={passive + 200}",
                "xferlog_enable=NO", "dirmessage_enable=NO", "use_localtime=YES",
                "secure_chroot_dir=/var/run/vsftpd/empty", "max_clients=10", ""]))
        os.makedirs("/var/run/vsftpd/empty", exist_ok=True)
        self.process = subprocess.Popen(["vsftpd", config], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.PIPE)
        deadline = time.monotonic() + 10
        while True:
            if self.process.poll() is not None:
                raise RuntimeError("vsftpd ended: " + self.process.stderr.read().decode())
            try:
                with socket.create_connection(("127.0.0.1", self.port), timeout=1) as probe:
                    if probe.recv(100).startswith(b"220"):
                        break
            except OSError:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.05)
        return self

    def __exit__(self, *details):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            wait_or_kill(self.process)
        shutil.rmtree(self.folder, ignore_errors=True)

    def clear(self):
        for entry in os.scandir(self.upload):
            os.unlink(entry.path)
        os.sync()

    def check(self, pages, count):
        check_upload(pages, self.upload, count)


def wait_or_kill(process):
    """Gives a server told to end 5 s, then ends it."""
    try:
        process.wait(5)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


class DelayFtpServer:
    """bench/delay_ftp_server.py on loopback, answering RTT_MS late, anonymous
    uploads anywhere under FOLDER/root; stopped and removed on exit."""

    def __init__(self, folder, rtt_ms):
        self.folder = folder
        self.root = os.path.join(folder, "root")
        self.log = os.path.join(folder, "stored.log")
        self.rtt_ms = rtt_ms
        self.process = None
        self.port = None

    def __enter__(self):
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.root)
        open(self.log, "w").close()
        # pyftpdlib is a Debian package: the system Python has it.
        self.process = subprocess.Popen(
            ["/usr/bin/python3", os.path.join(HERE, "delay_ftp_server.py"), "--root", self.root,
             "--log", self.log, "--rtt-ms", str(self.rtt_ms)],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        line = self.process.stdout.readline()
        if not line.strip().isdigit():
            self.process.wait()
            raise RuntimeError("the delaying FTP server did not start")
        self.port = int(line)
        return self

    def __exit__(self, *details):
        if self.process:
            self.process.stdin.close()  # its signal to end
            wait_or_kill(self.process)
        shutil.rmtree(self.folder, ignore_errors=True)

    def clear(self, name):
        """The folder name at the root, made or emptied."""
        folder = os.path.join(self.root, name)
        os.makedirs(folder, exist_ok=True)
        for entry in os.scandir(folder):
            os.unlink(entry.path)

    def mark(self):
        """Where the log of stored files ends now."""
        return os.path.getsize(self.log)

    def stored_since(self, mark):
        """The number of files stored (STOR) since mark."""
        with open(self.log, "rb") as log:
            log.seek(mark)
            return sum(1 for line in log if line.startswith(b"STOR "))


def check_upload(pages, upload, count):
    """Every page arrived whole, and nothing else is there."""
    uploaded = os.listdir(upload)
    if len(uploaded) != count:
        raise RuntimeError(f"{len(uploaded)} files on the server where {count} pages belong")
    for name in uploaded:
        with open(os.path.join(pages, name), "rb") as local, \
                open(os.path.join(upload, name), "rb") as remote:
            if local.read() != remote.read():
                raise RuntimeError(f"{name} differs on the server")


def edit_price(store, category, record, price):
    """Changes the price of one record of one category file in place, as an
    edit of that item would."""
    name = make_store.category_name(category) + ".dat"
    offset = record * RECORD + sum(width for field, width in make_store.FIELDS[:2])
    with open(os.path.join(store, name).encode("utf-8"), "r+b") as items:
        items.seek(offset)
        items.write(make_store.field(price, dict(make_store.FIELDS)["price"]))


def forget_pages(store):
    """Removes the page cache: the next -Generate writes every page."""
    try:
        os.unlink(os.path.join(store, "Pages.cache"))
    except FileNotFoundError:
        pass


def written_pages(store, before=None):
    """Each page's inode and change time; with before, how many pages differ
    from it (written again or new)."""
    now = {}
    for entry in os.scandir(store):
        if entry.name.endswith(".htm"):
            info = entry.stat(follow_symlinks=False)
            now[entry.name] = (info.st_ino, info.st_ctime_ns)
    if before is None:
        return now
    return sum(1 for name, state in now.items() if before.get(name) != state)


def medians(counts):
    """The median of each list of counts."""
    return tuple(statistics.median(values) for values in counts)


def main():
    parser = argparse.ArgumentParser(description="Wareloom benchmarks")
    parser.add_argument("build")
    parser.add_argument("--repeats", type=int, default=5)
    parser.add_argument("--quick", action="store_true", help="small workloads, to try the bench")
    parser.add_argument("--only", nargs="*", default=None,
                        choices=["generate", "modern", "hugo", "rebuild", "publish", "distant",
                                 "startup", "memory"])
    args = parser.parse_args()
    # The machine may be shared: ahead of ordinary work, the programs timed and
    # their references (all children of this one) wait less for a core.
    try:
        os.nice(-10)
    except PermissionError:
        print("note: not allowed to raise the priority; other work on this machine will "
              "show in the times", file=sys.stderr)
    bench = Bench(os.path.abspath(args.build), args.repeats, args.quick)
    only = set(args.only or ["generate", "modern", "hugo", "rebuild", "publish", "distant",
                             "startup", "memory"])
    load = os.getloadavg()
    items = 99 if args.quick else 999
    sizes = [10, 30, 100] if args.quick else [10, 100, 1000]
    largest = max(sizes)
    if "generate" in only or "hugo" in only or "memory" in only:
        bench.generate(sizes, items)
    if "modern" in only:
        bench.modern(largest, items)
    if "hugo" in only:
        bench.hugo(largest, items)
    if "memory" in only:
        bench.memory(largest, items)
    if "rebuild" in only:
        bench.rebuild([10, 100, 1000] + ([] if args.quick else [10000]))
    if "publish" in only:
        bench.publish(100 if args.quick else 1000, 10)
    if "distant" in only:
        # 300 and 1,000 pages with the main page; the edited store has 1,000 categories.
        bench.distant([29, 99] if args.quick else [299, 999], 10, 100 if args.quick else 1000)
    if "startup" in only:
        bench.startup(100)
    return 0 if bench.report(load) else 1


if __name__ == "__main__":
    sys.exit(main())
