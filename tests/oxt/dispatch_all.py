#!/usr/bin/python3
"""Installs plendrix.oxt into a fresh profile with unopkg, starts a
headless office on it, opens a Writer document and dispatches every button
of the installed toolbar (as the office merged it from the extension),
checking that each is the ribbon's and reached the extension's handler: the
handler answers every dispatch with SUCCESS and the identifier, or FAILURE
and the message the user was shown. Exits 77 (skipped) without an office.

usage: dispatch_all.py PLENDRIX.oxt WORDUI.xml OFFICE_PROGRAM_DIR"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

from oxt_common import SCHEME, check, read_groups, report

SKIP = 77
TOOLBAR = "/org.openoffice.Office.Addons/AddonUI/OfficeToolBar"


def as_user(uid, home):
    """unopkg refuses to run as root: run it as an unprivileged user then."""
    if os.getuid() != 0:
        return []
    return ["setpriv", f"--reuid={uid}", f"--regid={uid}", "--clear-groups", "env", f"HOME={home}"]


def chown_tree(path, uid, gid):
    for root, dirs, files in os.walk(path):
        for name in dirs + files:
            os.lchown(os.path.join(root, name), uid, gid)
    os.lchown(path, uid, gid)


def install(office_dir, oxt, work):
    profile = os.path.join(work, "profile")
    os.makedirs(profile)
    package = shutil.copy(oxt, work)
    nobody = 65534
    if os.getuid() == 0:
        chown_tree(work, nobody, nobody)
    started = time.monotonic()
    done = subprocess.run(as_user(nobody, work) + [os.path.join(office_dir, "unopkg"), "add", package,
                          f"-env:UserInstallation=file://{profile}"], capture_output=True, text=True, timeout=300)
    seconds = time.monotonic() - started
    if os.getuid() == 0:
        chown_tree(work, os.getuid(), os.getgid())
    if done.returncode != 0:
        sys.exit(f"unopkg add failed ({done.returncode}):\n{done.stdout}{done.stderr}")
    return profile, seconds


class Office:
    """soffice.bin on the profile, restarted when it asks to be (exit 81,
    after an install), stopped by its own process id."""

    def __init__(self, office_dir, profile, work):
        import uno
        from com.sun.star.connection import NoConnectException
        self.pipe = f"plendrix_oxt_{os.getpid()}"
        self.command = [os.path.join(office_dir, "soffice.bin"), "--headless", "--invisible", "--norestore",
                        "--nodefault", "--nologo", f"-env:UserInstallation=file://{profile}",
                        f"--accept=pipe,name={self.pipe};urp;StarOffice.ComponentContext"]
        self.log = open(os.path.join(work, "office.log"), "w")
        self.process = self.spawn()
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
        deadline = time.monotonic() + 180
        while True:
            try:
                self.context = resolver.resolve(f"uno:pipe,name={self.pipe};urp;StarOffice.ComponentContext")
                break
            except NoConnectException:
                status = self.process.poll()
                if status == 81:
                    self.process = self.spawn()
                elif status is not None:
                    sys.exit(f"the office ended with {status} before answering; see {self.log.name}")
                if time.monotonic() > deadline:
                    self.stop()
                    sys.exit("the office did not answer within 180 s")
                time.sleep(0.2)
        self.services = self.context.ServiceManager
        self.desktop = self.services.createInstanceWithContext("com.sun.star.frame.Desktop", self.context)

    def spawn(self):
        return subprocess.Popen(self.command, stdout=self.log, stderr=subprocess.STDOUT)

    def service(self, name):
        return self.services.createInstanceWithContext(name, self.context)

    def stop(self):
        try:
            self.desktop.terminate()
        except Exception:
            pass  # the bridge goes down with the office
        try:
            self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.log.close()


def toolbar_urls(office):
    """The installed toolbar's command URLs, in the office's order."""
    from com.sun.star.beans import PropertyValue
    path = PropertyValue()
    path.Name, path.Value = "nodepath", TOOLBAR
    provider = office.service("com.sun.star.configuration.ConfigurationProvider")
    bars = provider.createInstanceWithArguments("com.sun.star.configuration.ConfigurationAccess", (path,))
    names = [n for n in bars.ElementNames if n.startswith("org.plendrix.")]
    if not check(len(names) == 1, f"the office has no Plendrix toolbar after the install (toolbars: {bars.ElementNames})"):
        return []
    bar = bars.getByName(names[0])
    urls = [bar.getByName(item).URL for item in sorted(bar.ElementNames)]
    return [u for u in urls if u != "private:separator"]


def press(dispatcher, frame, url):
    """(state, result) of a dispatch; (None, None) when no handler answered."""
    event = dispatcher.executeDispatch(frame, url, "", 0, ())
    if event is None or not hasattr(event, "State"):
        return None, None
    return event.State, event.Result


def main():
    oxt, wordui, office_dir = sys.argv[1:4]
    if not os.access(os.path.join(office_dir, "soffice.bin"), os.X_OK):
        print(f"skipped: no LibreOffice in {office_dir}")
        return SKIP
    try:
        import uno  # noqa: F401  Python's bridge to the office (python3-uno)
    except ImportError:
        print("skipped: this Python has no uno module (python3-uno)")
        return SKIP
    from com.sun.star.frame.DispatchResultState import SUCCESS, FAILURE
    ribbon = {b.id: b.label for _, buttons in read_groups(wordui) for b in buttons}
    work = tempfile.mkdtemp(prefix="plendrix-oxt-")
    office = None
    try:
        profile, install_seconds = install(office_dir, oxt, work)
        started = time.monotonic()
        office = Office(office_dir, profile, work)
        start_seconds = time.monotonic() - started
        started = time.monotonic()
        document = office.desktop.loadComponentFromURL("private:factory/swriter", "_blank", 0, ())
        open_seconds = time.monotonic() - started
        frame = document.CurrentController.Frame
        dispatcher = office.service("com.sun.star.frame.DispatchHelper")

        urls = toolbar_urls(office)
        ids = [u[len(SCHEME):] for u in urls if check(u.startswith(SCHEME), f"the toolbar sends {u}")]
        check(sorted(ids) == sorted(ribbon), "the installed toolbar's buttons are not the ribbon's: "
              f"missing {sorted(set(ribbon) - set(ids))[:5]}, extra {sorted(set(ids) - set(ribbon))[:5]}")
        outcomes, times = {}, []
        for id in ids:
            started = time.monotonic()
            try:
                state, result = press(dispatcher, frame, SCHEME + id)
            except Exception as e:  # the bridge broke: the office went down
                check(False, f"{id}: the office stopped answering ({type(e).__name__}: {e})")
                break
            times.append(time.monotonic() - started)
            outcomes[id] = (state, result)
            if not check(state is not None, f"{id}: no handler answered the dispatch"):
                continue
            if state == SUCCESS:
                check(result == id, f"{id}: SUCCESS with {result!r} instead of the identifier")
            else:
                check(state == FAILURE and isinstance(result, str) and result.strip() != "",
                      f"{id}: state {state} without a message ({result!r})")

        # A command that opens a dialog says it is not available yet, every
        # time; the About box works; an identifier of no button is refused.
        graph = outcomes.get("rxBtnztqt_hstx", (None, ""))
        check(graph[0] == FAILURE and "函数图象" in graph[1] and "LibreOffice" in graph[1],
              f"the graph dialog's command answered {graph}")
        check(press(dispatcher, frame, SCHEME + "rxBtnztqt_hstx") == graph, "the graph command answered differently a second time")
        check(outcomes.get("rxBtnAbout_ThisVersion", (None,))[0] == SUCCESS, "the About command did not succeed")
        unknown = press(dispatcher, frame, SCHEME + "rxBtnNOPE")
        check(unknown[0] == FAILURE and "rxBtnNOPE" in (unknown[1] or ""), f"an unknown identifier answered {unknown}")
        # Between commands the teacher types, moves the cursor and closes
        # documents: a command acts where the cursor is now, and goes on in
        # one document after another was closed.
        other = office.desktop.loadComponentFromURL("private:factory/swriter", "_blank", 0, ())
        other.Text.String = "甲乙"
        other.CurrentController.ViewCursor.gotoEnd(False)
        typed = press(dispatcher, other.CurrentController.Frame, SCHEME + "rxBtnSET_bingji")
        check(typed == (SUCCESS, "rxBtnSET_bingji") and other.Text.String == "甲乙∪",
              f"a symbol after typing answered {typed} and left {other.Text.String!r}")
        other.close(True)
        after = press(dispatcher, frame, SCHEME + "rxBtnSET_jiaoji")
        check(after == (SUCCESS, "rxBtnSET_jiaoji"), f"after another document was closed a command answered {after}")
        check(office.process.poll() is None, "the office ended during the dispatches")
        # Documents a dialog opened on loading (an import area, a report) close with it.
        open_documents = office.desktop.Components.createEnumeration()
        count = 0
        while open_documents.hasMoreElements():
            open_documents.nextElement()
            count += 1
        check(count == 1, f"{count} documents are open after the dispatches, not just the test's own")

        succeeded = sum(1 for s, _ in outcomes.values() if s == SUCCESS)
        print(f"unopkg add {install_seconds:.1f} s; office start {start_seconds:.1f} s; new document {open_seconds:.1f} s; "
              f"first dispatch {times[0] * 1000 if times else 0:.0f} ms; {len(times)} dispatches {sum(times):.1f} s "
              f"(slowest {max(times, default=0) * 1000:.0f} ms); {succeeded} succeeded, {len(outcomes) - succeeded} failed")
        messages = {}
        for id, (state, result) in outcomes.items():
            if state == FAILURE:
                messages.setdefault(result.split("\n")[0][:80], []).append(id)
        for message, which in sorted(messages.items(), key=lambda m: -len(m[1])):
            print(f"  {len(which):3d} × {message}  ({', '.join(which[:3])}{', …' if len(which) > 3 else ''})")
    finally:
        if office:
            office.stop()
        shutil.rmtree(work, ignore_errors=True)
    return report()


if __name__ == "__main__":
    sys.exit(main())
