"""What the extension's office tests share: plendrix.oxt installed into a
fresh profile with unopkg (as an unprivileged user when run as root, which
unopkg refuses), and soffice.bin started on that profile, headless or in a
window on a given X display, restarted when it asks to be (exit 81, after
an install), reached over a pipe and stopped by its own process id."""
import os
import re
import shutil
import subprocess
import sys
import threading
import time

SKIP = 77
NOBODY = 65534


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


def record_version_started(office_dir, profile):
    """The new profile records that this version of the office has started
    on it, as an office that has shown a document in a window has: without
    it, every start first runs the office's one-time graphics checks
    (seconds of drawing, during which the office does little else)."""
    shown = subprocess.run([os.path.join(office_dir, "soffice"), "--version"], capture_output=True, text=True,
                           timeout=60).stdout
    found = re.search(r"\b(\d+\.\d+)\.", shown)
    if not found:
        return  # the office then runs its checks, as a new profile does
    os.makedirs(os.path.join(profile, "user"))
    with open(os.path.join(profile, "user", "registrymodifications.xcu"), "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<oor:items xmlns:oor="http://openoffice.org/2001/registry" '
                'xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">\n'
                '<item oor:path="/org.openoffice.Setup/Product"><prop oor:name="ooSetupLastVersion" oor:op="fuse">'
                f'<value>{found.group(1)}</value></prop></item>\n'
                '</oor:items>\n')


def install(office_dir, oxt, work):
    """The profile with the extension installed, and the seconds unopkg took."""
    profile = os.path.join(work, "profile")
    os.makedirs(profile)
    record_version_started(office_dir, profile)
    package = shutil.copy(oxt, work)
    if os.getuid() == 0:
        chown_tree(work, NOBODY, NOBODY)
    started = time.monotonic()
    done = subprocess.run(as_user(NOBODY, work) + [os.path.join(office_dir, "unopkg"), "add", package,
                          f"-env:UserInstallation=file://{profile}"], capture_output=True, text=True, timeout=300)
    seconds = time.monotonic() - started
    if os.getuid() == 0:
        chown_tree(work, os.getuid(), os.getgid())
    if done.returncode != 0:
        sys.exit(f"unopkg add failed ({done.returncode}):\n{done.stdout}{done.stderr}")
    return profile, seconds


class Office:
    """soffice.bin on the profile: headless, or in windows on `display`."""

    def __init__(self, office_dir, profile, work, display=None):
        import uno
        from com.sun.star.connection import NoConnectException
        self.pipe = f"plendrix_oxt_{os.getpid()}"
        mode = ["--headless", "--invisible"] if display is None else []
        self.command = [os.path.join(office_dir, "soffice.bin"), *mode, "--norestore", "--nodefault", "--nologo",
                        f"-env:UserInstallation=file://{profile}",
                        f"--accept=pipe,name={self.pipe};urp;StarOffice.ComponentContext"]
        # The office's scratch files (and the presentations a send to slides
        # saves there) stay in the work folder, removed with it.
        self.env = dict(os.environ, TMPDIR=work)
        if display is not None:
            # The X11 back end, as under Xvfb no desktop offers another.
            self.env.update(DISPLAY=display, SAL_USE_VCLPLUGIN="gen")
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
        return subprocess.Popen(self.command, stdout=self.log, stderr=subprocess.STDOUT, env=self.env)

    def service(self, name):
        return self.services.createInstanceWithContext(name, self.context)

    def stop(self):
        def terminate():
            try:
                self.desktop.terminate()
            except Exception:
                pass  # the bridge goes down with the office
        # A box left open by a failed step keeps the call waiting: the
        # office is killed after a while then.
        asking = threading.Thread(target=terminate, daemon=True)
        asking.start()
        asking.join(timeout=20)
        try:
            self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.log.close()


def press(dispatcher, frame, url):
    """(state, result) of a dispatch; (None, None) when no handler answered."""
    event = dispatcher.executeDispatch(frame, url, "", 0, ())
    if event is None or not hasattr(event, "State"):
        return None, None
    return event.State, event.Result


def office_missing(office_dir):
    """Why the office tests cannot run here, or None."""
    if not os.access(os.path.join(office_dir, "soffice.bin"), os.X_OK):
        return f"no LibreOffice in {office_dir}"
    try:
        import uno  # noqa: F401  Python's bridge to the office (python3-uno)
    except ImportError:
        return "this Python has no uno module (python3-uno)"
    return None
