#!/usr/bin/python3
"""Usage: presence_dbus_test.py TALLIMO TALLIMO_CLI [unittest arguments]"""
import datetime, os, shutil, signal, subprocess, sys, tempfile, time, unittest

try:
    import dbus
    import dbusmock
except ImportError:
    print("SKIP: python3-dbusmock is missing (scripts/deps installs it)")
    sys.exit(77)

TALLIMO, CLI = sys.argv[1], sys.argv[2]
LOGIN1, MANAGER, SESSION = "org.freedesktop.login1", "org.freedesktop.login1.Manager", \
    "org.freedesktop.login1.Session"
SAVER, NOTIFICATIONS = "org.freedesktop.ScreenSaver", "org.freedesktop.Notifications"


def eventually(check, seconds=10):
    end = time.monotonic() + seconds
    while not check() and time.monotonic() < end:
        time.sleep(0.1)
    return check()


def clock(shift=0, start=None):
    moment = datetime.datetime.strptime(start, "%H:%M:%S") if start else datetime.datetime.now()
    return (moment + datetime.timedelta(seconds=shift)).strftime("%H:%M:%S")


def emit(mock, interface, name, signature, args):
    mock.EmitSignal(interface, name, signature, args, dbus_interface=dbusmock.MOCK_IFACE)


class PresenceOverDbus(dbusmock.DBusTestCase):
    @classmethod
    def setUpClass(cls):
        cls.start_system_bus()
        cls.start_session_bus()

    def setUp(self):
        self.home = tempfile.mkdtemp()
        # A runtime folder of its own: another running Tallimo would take the start over.
        self.env = dict(os.environ, HOME=self.home, XDG_CONFIG_HOME=self.home + "/config",
                        XDG_RUNTIME_DIR=self.home, QT_QPA_PLATFORM="offscreen")
        self.env.pop("XDG_SESSION_ID", None)
        self.servers, self.desktop = [], None
        self.today, self.month = time.strftime("%d.%m.%Y"), self.home + "/month.time"
        self.cli("new", time.strftime("%Y-%m"), self.month)

    def tearDown(self):
        for process in ([self.desktop] if self.desktop else []) + self.servers:
            process.kill()
            process.wait()
        shutil.rmtree(self.home, ignore_errors=True)

    def cli(self, *args):
        return subprocess.run([CLI, *args], env=self.env, check=True, capture_output=True,
                              text=True).stdout

    def mock(self, template=None, name=None, path=None):
        if template:
            server, mock = self.spawn_server_template(template, {}, stdout=subprocess.DEVNULL)
        else:
            server = self.spawn_server(name, path, name, stdout=subprocess.DEVNULL)
            mock = self.get_dbus().get_object(name, path)
        self.servers.append(server)
        return mock

    def mock_logind(self):
        self.logind = self.mock("logind")
        self.logind.AddSession("c1", "seat0", dbus.UInt32(os.getuid()), "user", True,
                               dbus_interface=dbusmock.MOCK_IFACE)
        self.logind.AddMethod(MANAGER, "GetSessionByPID", "u", "o",
                              'ret = "/org/freedesktop/login1/session/c1"',
                              dbus_interface=dbusmock.MOCK_IFACE)
        session = self.get_dbus(True).get_object(LOGIN1, "/org/freedesktop/login1/session/c1")
        return lambda method, *args: session.get_dbus_method(method, SESSION)(*args)

    def start(self, mode, minutes, session_id=None):
        self.cli("options", "AutoSave=on", "Presence=" + mode, "PresenceAwayMinutes=%d" % minutes)
        if session_id:
            self.env["XDG_SESSION_ID"] = session_id
        self.desktop = subprocess.Popen([TALLIMO, self.month], env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.assertTrue(eventually(lambda: "started" in self.cli("presence")))

    def inhibitors(self):
        return [str(i[1]) for i in self.logind.ListInhibitors(dbus_interface=MANAGER)]

    def notifications(self, mock):
        return [call[2] for call in mock.GetCalls(dbus_interface=dbusmock.MOCK_IFACE)
                if call[1] == "Notify"]

    def row(self):
        """Enter, Leave and Comment of today's row in the month file."""
        for line in self.cli("show", self.month, "--tsv").splitlines():
            if line.startswith(self.today):
                return tuple(line.split("\t")[2:5])

    def wait_for_leave(self, leave):
        # The program stamps an event when it sees it, maybe a second after the test's reading.
        self.assertTrue(eventually(lambda: self.row()[1] in (leave, clock(1, leave))),
                        (leave, self.row(), self.cli("presence")))

    def test_lock_saver_and_suspend_depart_and_each_arrival_puts_the_forecast_back(self):
        session = self.mock_logind()
        saver = self.mock(name=SAVER, path="/org/freedesktop/ScreenSaver")
        notifications = self.mock("notification_daemon")
        before = clock()
        self.start("auto", 0, session_id="c1")
        enter, leave, comment = eventually(lambda: self.row()[0] and self.row())
        self.assertGreaterEqual(enter, before)
        self.assertEqual((leave, comment), (clock(9 * 3600, enter), "automatic created entry"))
        self.assertEqual(eventually(self.inhibitors), ["Tallimo"])
        for away, back in [(lambda: session("Lock"), lambda: session("Unlock")),
                           (lambda: session("SetLockedHint", True),
                            lambda: session("SetLockedHint", False)),
                           (lambda: emit(saver, SAVER, "ActiveChanged", "b", [True]),
                            lambda: emit(saver, SAVER, "ActiveChanged", "b", [False]))]:
            at = clock()
            away()
            self.wait_for_leave(at)
            back()
            self.wait_for_leave(clock(9 * 3600, enter))
        at = clock()
        emit(self.logind, MANAGER, "PrepareForSleep", "b", [True])
        self.wait_for_leave(at)
        self.assertEqual(eventually(lambda: not self.inhibitors()), True)
        emit(self.logind, MANAGER, "PrepareForSleep", "b", [False])
        self.wait_for_leave(clock(9 * 3600, enter))
        self.assertEqual(eventually(self.inhibitors), ["Tallimo"])
        sources = [line[10:30].strip() for line in self.cli("presence").splitlines()[2:]]
        self.assertEqual(sources, ["started", "locked", "unlocked", "locked", "unlocked",
                                   "screen saver started", "screen saver ended", "suspended",
                                   "resumed"])
        self.assertEqual(str(self.notifications(notifications)[0][4]),
                         "Enter %s recorded (started)" % enter)

    def test_a_lock_becomes_a_departure_once_it_lasted_the_minimum(self):
        session = self.mock_logind()
        self.start("auto", 1)
        forecast = clock(9 * 3600, eventually(lambda: self.row()[0]))
        # Nothing follows the lock: the program wakes up by itself once the minute passed.
        at = clock()
        session("Lock")
        time.sleep(55)
        self.assertEqual(self.row()[1], forecast)
        self.wait_for_leave(at)

    def test_sigterm_writes_the_departure_before_the_program_ends(self):
        self.mock_logind()
        self.start("auto", 5)
        enter, at = eventually(lambda: self.row()[0]), clock()
        self.desktop.send_signal(signal.SIGTERM)
        self.assertEqual(self.desktop.wait(10), 0)
        self.assertEqual(self.row()[0], enter)
        self.wait_for_leave(at)
        self.assertIn("session ended         Leave %s recorded (session ended)" % self.row()[1],
                      self.cli("presence"))

    def test_suggest_mode_records_the_events_time_when_its_action_is_taken(self):
        self.mock_logind()
        notifications = self.mock("notification_daemon")
        before = clock()
        self.start("suggest", 0)
        notify = eventually(lambda: self.notifications(notifications))[0]
        self.assertEqual([str(action) for action in notify[5]],
                         ["record", "Enter now", "dismiss", "Not now"])
        self.assertRegex(str(notify[4]), r"^Record Enter \d\d:\d\d:\d\d \(started\)\?$")
        started = str(notify[4])[13:21]
        self.assertGreaterEqual(started, before)
        self.assertEqual(self.row()[0], "")
        time.sleep(1.5)
        emit(notifications, NOTIFICATIONS, "ActionInvoked", "us", [1, "record"])
        self.assertEqual(eventually(lambda: self.row()[0]), started)

    def test_without_logind_or_screen_saver_the_mode_says_it_is_unavailable(self):
        self.start("auto", 5)
        self.assertTrue(eventually(lambda: self.row()[0]))
        self.assertRegex(self.cli("presence").splitlines()[0],
                         r"^Presence: auto, unavailable: no logind session \(.+\), and no "
                         r"screen saver on the session bus$")
        self.desktop.terminate()
        self.assertEqual(self.desktop.wait(10), 0)
        self.assertNotIn(b"rror", self.desktop.stderr.read())


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], *sys.argv[3:]], verbosity=2)
