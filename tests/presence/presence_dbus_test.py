#!/usr/bin/python3
"""Drives the desktop through mocked logind, screen saver and notification services.

Usage: presence_dbus_test.py TALLIMO TALLIMO_CLI [unittest arguments]
"""
import datetime
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

try:
    import dbus
    import dbusmock
except ImportError:
    print("SKIP: python3-dbusmock is missing (scripts/deps installs it)")
    sys.exit(77)

TALLIMO, CLI = sys.argv[1], sys.argv[2]
MANAGER = "org.freedesktop.login1.Manager"
SESSION = "org.freedesktop.login1.Session"
SAVER = "org.freedesktop.ScreenSaver"
NOTIFICATIONS = "org.freedesktop.Notifications"


def eventually(check, seconds=10):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = check()
        if value:
            return value
        time.sleep(0.1)
    return check()


class PresenceOverDbus(dbusmock.DBusTestCase):
    @classmethod
    def setUpClass(cls):
        cls.start_system_bus()
        cls.start_session_bus()

    def setUp(self):
        self.home = tempfile.mkdtemp()
        self.env = dict(os.environ, HOME=self.home, XDG_CONFIG_HOME=self.home + "/config",
                        XDG_RUNTIME_DIR=self.home + "/run", QT_QPA_PLATFORM="offscreen",
                        TZ="UTC")
        self.env.pop("XDG_SESSION_ID", None)
        os.makedirs(self.env["XDG_RUNTIME_DIR"], mode=0o700)
        self.servers = []
        self.desktop = None
        self.today = datetime.datetime.now(datetime.timezone.utc).strftime("%d.%m.%Y")
        self.month = self.home + "/month.time"
        self.cli("new", datetime.date.today().strftime("%Y-%m"), self.month)

    def tearDown(self):
        if self.desktop and self.desktop.poll() is None:
            self.desktop.kill()
            self.desktop.wait()
        for server in self.servers:
            server.terminate()
            server.wait()
        shutil.rmtree(self.home, ignore_errors=True)

    def cli(self, *args):
        return subprocess.run([CLI, *args], env=self.env, check=True, capture_output=True,
                              text=True).stdout

    def mock_logind(self):
        server, self.logind = self.spawn_server_template("logind", {},
                                                         stdout=subprocess.DEVNULL)
        self.servers.append(server)
        self.logind.AddSession("c1", "seat0", dbus.UInt32(os.getuid()), "user", True,
                               dbus_interface=dbusmock.MOCK_IFACE)
        self.logind.AddMethod(MANAGER, "GetSessionByPID", "u", "o",
                              'ret = "/org/freedesktop/login1/session/c1"',
                              dbus_interface=dbusmock.MOCK_IFACE)
        self.session = self.dbus_con(True).get_object("org.freedesktop.login1",
                                                      "/org/freedesktop/login1/session/c1")

    def mock_screen_saver(self):
        server = self.spawn_server(SAVER, "/org/freedesktop/ScreenSaver", SAVER,
                                   stdout=subprocess.DEVNULL)
        self.servers.append(server)
        self.saver = self.dbus_con(False).get_object(SAVER, "/org/freedesktop/ScreenSaver")

    def mock_notifications(self):
        server, self.notifications = self.spawn_server_template(
            "notification_daemon", {}, stdout=subprocess.DEVNULL)
        self.servers.append(server)

    def dbus_con(self, system):
        return self.get_dbus(system_bus=system)

    def start(self, mode, minutes, session_id=None):
        self.cli("options", "AutoSave=on", "Presence=" + mode,
                 "PresenceAwayMinutes=" + str(minutes))
        if session_id:
            self.env["XDG_SESSION_ID"] = session_id
        self.desktop = subprocess.Popen([TALLIMO, self.month], env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.assertTrue(eventually(lambda: "started" in self.journal()), self.journal())

    def inhibitors(self):
        return [str(i[1]) for i in self.logind.ListInhibitors(dbus_interface=MANAGER)]

    def row(self):
        """Enter, Leave and Comment of today's row as the month file holds them."""
        for line in self.cli("show", self.month, "--tsv").splitlines():
            cells = line.split("\t")
            if cells[0] == self.today:
                return tuple(cells[2:5])
        self.fail("no row " + self.today)

    def journal(self):
        return self.cli("presence")

    def wait_for_leave(self, leave):
        # The program stamps the event when it sees it, which may be a second after the test's
        # clock reading.
        later = (datetime.datetime.strptime(leave, "%H:%M:%S") +
                 datetime.timedelta(seconds=1)).strftime("%H:%M:%S")
        self.assertTrue(eventually(lambda: self.row()[1] in (leave, later)),
                        (leave, self.row(), self.journal()))

    @staticmethod
    def clock():
        return datetime.datetime.now(datetime.timezone.utc).strftime("%H:%M:%S")

    def forecast(self, enter):
        day = datetime.datetime.strptime(enter, "%H:%M:%S")
        return (day + datetime.timedelta(hours=9)).strftime("%H:%M:%S")

    def test_lock_saver_and_suspend_depart_and_each_arrival_puts_the_forecast_back(self):
        self.mock_logind()
        self.mock_screen_saver()
        self.mock_notifications()
        before = self.clock()
        self.start("auto", 0, session_id="c1")
        enter, leave, comment = eventually(lambda: self.row()[0] and self.row())
        self.assertGreaterEqual(enter, before)
        self.assertEqual((leave, comment), (self.forecast(enter), "automatic created entry"))
        self.assertEqual(eventually(self.inhibitors), ["Tallimo"])

        for away, back in [(lambda: self.session.Lock(dbus_interface=SESSION),
                            lambda: self.session.Unlock(dbus_interface=SESSION)),
                           (lambda: self.session.SetLockedHint(True, dbus_interface=SESSION),
                            lambda: self.session.SetLockedHint(False, dbus_interface=SESSION)),
                           (lambda: self.emit(self.saver, SAVER, "ActiveChanged", "b", [True]),
                            lambda: self.emit(self.saver, SAVER, "ActiveChanged", "b", [False]))]:
            at = self.clock()
            away()
            self.wait_for_leave(at)
            back()
            self.wait_for_leave(self.forecast(enter))

        at = self.clock()
        self.emit(self.logind, MANAGER, "PrepareForSleep", "b", [True])
        self.wait_for_leave(at)
        self.assertEqual(eventually(lambda: not self.inhibitors()), True)
        self.emit(self.logind, MANAGER, "PrepareForSleep", "b", [False])
        self.wait_for_leave(self.forecast(enter))
        self.assertEqual(eventually(self.inhibitors), ["Tallimo"])
        sources = [line[10:30].strip() for line in self.journal().splitlines()[2:]]
        self.assertEqual(sources, ["started", "locked", "unlocked", "locked", "unlocked",
                                   "screen saver started", "screen saver ended", "suspended",
                                   "resumed"])
        notify = [call for call in self.notifications.GetCalls(dbus_interface=dbusmock.MOCK_IFACE)
                  if call[1] == "Notify"]
        self.assertEqual(str(notify[0][2][4]), "Enter %s recorded (started)" % enter)

    def emit(self, mock, interface, name, signature, args):
        mock.EmitSignal(interface, name, signature, args, dbus_interface=dbusmock.MOCK_IFACE)

    def test_a_lock_counts_only_once_it_lasted_the_minimum(self):
        self.mock_logind()
        self.start("auto", 1)
        enter = eventually(lambda: self.row()[0])
        self.session.Lock(dbus_interface=SESSION)
        self.session.Unlock(dbus_interface=SESSION)
        self.assertTrue(eventually(lambda: "nothing recorded" in self.journal()))
        self.assertEqual(self.row()[1], self.forecast(enter))
        # Nothing arrives after this lock: the program wakes up by itself once the minute passed.
        at = self.clock()
        self.session.Lock(dbus_interface=SESSION)
        time.sleep(55)
        self.assertEqual(self.row()[1], self.forecast(enter))
        self.wait_for_leave(at)

    def test_a_leave_written_by_hand_is_kept(self):
        self.cli("--at", "00:00:01", "enter", self.month)
        self.cli("--yes", "--at", "00:00:02", "leave", self.month)
        self.mock_logind()
        self.start("auto", 0)
        self.session.Lock(dbus_interface=SESSION)
        self.assertTrue(eventually(lambda: "entered by hand is kept" in self.journal()),
                        self.journal())
        self.assertEqual(self.row()[:2], ("00:00:01", "00:00:02"))

    def test_sigterm_writes_the_departure_before_the_program_ends(self):
        self.mock_logind()
        self.start("auto", 5)
        enter = eventually(lambda: self.row()[0])
        at = self.clock()
        self.desktop.send_signal(signal.SIGTERM)
        self.assertEqual(self.desktop.wait(10), 0)
        self.assertEqual(self.row()[0], enter)
        self.wait_for_leave(at)
        self.assertIn("%-20s  Leave %s recorded (session ended)" % ("session ended", self.row()[1]),
                      self.journal())

    def test_suggest_mode_records_the_events_time_when_its_action_is_taken(self):
        self.mock_logind()
        self.mock_notifications()
        before = self.clock()
        self.start("suggest", 0)
        notify = eventually(lambda: [call[2] for call in self.notifications.GetCalls(
            dbus_interface=dbusmock.MOCK_IFACE) if call[1] == "Notify"])
        text, actions = str(notify[0][4]), [str(action) for action in notify[0][5]]
        self.assertEqual(actions, ["record", "Enter now", "dismiss", "Not now"])
        self.assertRegex(text, r"^Record Enter \d\d:\d\d:\d\d \(started\)\?$")
        started = text[13:21]
        self.assertGreaterEqual(started, before)
        self.assertEqual(self.row()[0], "")
        time.sleep(1.5)
        self.emit(self.notifications, NOTIFICATIONS, "ActionInvoked", "us", [1, "record"])
        self.assertEqual(eventually(lambda: self.row()[0]), started)

    def test_without_logind_or_screen_saver_the_mode_says_it_is_unavailable(self):
        self.start("auto", 5)
        self.assertTrue(eventually(lambda: self.row()[0]))
        header = eventually(lambda: "unavailable" in self.journal() and self.journal())
        self.assertRegex(header.splitlines()[0],
                         r"^Presence: auto, unavailable: no logind session \(.+\), and no "
                         r"screen saver on the session bus$")
        self.assertIsNone(self.desktop.poll())
        self.desktop.terminate()
        self.assertEqual(self.desktop.wait(10), 0)
        self.assertNotIn(b"rror", self.desktop.stderr.read())


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], *sys.argv[3:]], verbosity=2)
