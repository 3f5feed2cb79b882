#!/usr/bin/python3
"""Reads the running window through AT-SPI, as a screen reader does.

    check-accessibility.py PID

PID is the window program, started with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 on
the session bus this process sees. Checks the names and roles of the controls
(found by their places in the form) and the table's headers in English, the
text events of quick teaching, then the same in Russian after a choice in the
language box made with real X events (xdotool), with the name-change events
a running screen reader hears for every renamed control, tab and column
title, and the lamp's Russian words after Step, Quickly, the speed bar and
Stop, each announced once, when the mode changes.
Ends with a press on Exit: the program then ends by itself.
Prints every disagreement; exits with 1 when there is one.
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TIMEOUT = 60

GRAPH_PICTURE = "Outputs of neuronet & object"
ESTIMATION_PICTURE = "Quality of the neuronet adaptation"

# A control: where it lies (the window, or a page by its tab's index), its
# role, its place there, its name in English and in Russian. On Linux Qt
# names a combo box by the item it shows, by its group box while none is.
CONTROLS = [
    # control        parent  role            left, top   English                Russian
    ("Edit5",        0,      "text",         (24, 256),  "Iteration",           "Итерация"),
    ("Edit6",        0,      "text",         (152, 256), "Estimation",          "Оценка"),
    ("Edit7",        0,      "text",         (280, 256), "Noise",               "Шум"),
    ("PaintBox1",    0,      "image",        (2, 2),     GRAPH_PICTURE,         GRAPH_PICTURE),
    ("Edit8",        1,      "text",         (8, 256),   "Iteration",           "Итерация"),
    ("Edit9",        1,      "text",         (104, 256), "Estimation",          "Оценка"),
    ("Edit10",       1,      "text",         (200, 256), "Noise",               "Шум"),
    ("PaintBox2",    1,      "image",        (2, 2),     ESTIMATION_PICTURE,    ESTIMATION_PICTURE),
    ("RadioButton5", 1,      "radio button", (288, 256), "Running",             "Бегущая"),
    ("Edit2",        2,      "text",         (288, 144), "Iteration",           "Итерация"),
    ("Edit3",        2,      "text",         (288, 200), "Estimation",          "Оценка"),
    ("Edit4",        2,      "text",         (288, 256), "Noise",               "Шум"),
    ("StringGrid1",  2,      "table",        (16, 0),    GRAPH_PICTURE,         GRAPH_PICTURE),
    ("ComboBox1",    2,      "combo box",    (296, 32),  "Language  Язык",      "Русский"),
    ("Memo2",        None,   "text",         (424, 152), "Quantity of Neurons", "Число нейронов"),
    ("RadioButton1", None,   "radio button", (400, 41),  "Static",              "Статический"),
    ("UpDown1 up",   None,   "push button",  (449, 152), "Up",                  "Вверх"),
    ("UpDown1 down", None,   "push button",  (449, 161), "Down",                "Вниз"),
    ("ScrollBar1",   None,   "scroll bar",   (440, 233), "Speed",               "Скорость"),
    ("Button4",      None,   "push button",  (400, 224), "Stop",                "Стоп"),
    ("Button3",      None,   "push button",  (400, 256), "Step",                "Шаг"),
    ("Button1",      None,   "push button",  (400, 288), "Quickly",             "Быстро"),
    ("Button2",      None,   "push button",  (456, 287), "Exit",                "Выход"),
    ("Memo1",        None,   "status bar",   (464, 264), "Stopped",             "Остановлено"),
    ("Button5",      None,   "push button",  (360, 0),   "About Varkelon",      "О программе Varkelon"),
]

# The names a running screen reader hears change with the language: the
# readouts' (three of each), the speed bar's, the neuron box's, the tabs' and
# the column titles'.
RENAMED = ["Итерация"] * 3 + ["Оценка"] * 3 + ["Шум"] * 3 + [
    "Скорость", "Число нейронов", "График", "Таблица", "Объект", "Нейросеть", "Ошибки сети"]

# The lamp's words for each mode, in English and in Russian.
LAMP_WORDS = {
    "English": {"Step": "Step", "Quick": "Quick", "Continuous": "Continuous", "Stopped": "Stopped"},
    "Russian": {"Step": "Шаг", "Quick": "Быстро", "Continuous": "Непрерывно",
                "Stopped": "Остановлено"},
}
TITLES = {"English": ["Object", "Neuronet", "Net Mistakes"],
          "Russian": ["Объект", "Нейросеть", "Ошибки сети"]}

# Roles a user acts on or reads: each must carry a name.
NAMED_ROLES = {"push button", "radio button", "text", "scroll bar", "combo box", "table",
               "page tab", "list item", "image", "status bar"}

failures = []


def fail(message):
    failures.append(message)
    print("FAIL: " + message, file=sys.stderr)


def wait_for(what, condition):
    """Polls condition, delivering AT-SPI events meanwhile, until it is true."""
    context = GLib.MainContext.default()
    end = time.monotonic() + TIMEOUT
    while True:
        while context.pending():
            context.iteration(False)
        result = condition()
        if result:
            return result
        if time.monotonic() > end:
            raise TimeoutError("waited %d s for %s" % (TIMEOUT, what))
        time.sleep(0.1)


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            yield from descendants(child)


def place(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


class Window:
    def __init__(self, pid):
        desktop = pyatspi.Registry.getDesktop(0)

        def application():
            for app in desktop:
                if app is not None and app.get_process_id() == pid:
                    return app
            return None

        app = wait_for("the program on the accessibility bus", application)
        self.form = wait_for("its window", lambda: app.childCount > 0 and app[0])
        self.pages = next(n for n in descendants(self.form) if n.getRoleName() == "layered pane")
        self.tabs = next(n for n in descendants(self.form) if n.getRoleName() == "page tab list")

    def show_page(self, index):
        self.tabs[index].queryAction().doAction(0)
        wait_for("page %d" % index,
                 lambda: self.pages[index].getState().contains(pyatspi.STATE_SHOWING))

    def find(self, parent, role, where):
        """The control of the role at its place in the window or the page."""
        frame = self.form if parent is None else self.pages[parent]
        left, top, _, _ = place(frame)
        for node in descendants(frame):
            if node.getRoleName() == role and place(node)[:2] == (left + where[0], top + where[1]):
                return node
        return None

    def control(self, name):
        row = next(row for row in CONTROLS if row[0] == name)
        return self.find(row[1], row[2], row[3])

    def press(self, name):
        """Presses a button through its accessible action, as a screen reader does."""
        action = self.control(name).queryAction()
        action.doAction(next(i for i in range(action.nActions) if action.getName(i) == "Press"))


def check_names(window, column, language):
    for page in (0, 1, 2, None):
        if page is not None:
            window.show_page(page)
        frame = window.form if page is None else window.pages[page]
        for row in CONTROLS:
            control, parent, role, where = row[:4]
            if parent != page:
                continue
            node = window.find(parent, role, where)
            if node is None:
                fail("%s: no %s at %s" % (control, role, where))
            elif node.name != row[column]:
                fail("%s (%s): named %r in %s, expected %r"
                     % (control, role, node.name, language, row[column]))
        for node in descendants(frame):
            if node.getRoleName() in NAMED_ROLES and node.getState().contains(pyatspi.STATE_SHOWING) \
                    and not node.name.strip():
                fail("a %s at %s has no name in %s" % (node.getRoleName(), place(node), language))


def choose_russian(window):
    """Opens the language box with a click and picks the second item with keys."""
    window.show_page(2)
    combo = window.control("ComboBox1")
    x, y, width, height = place(combo)
    subprocess.run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2),
                    "click", "1"], check=True)
    wait_for("the language list", lambda: combo[0].getState().contains(pyatspi.STATE_SHOWING))
    subprocess.run(["xdotool", "key", "Down", "Down", "Return"], check=True)
    readout = window.control("Edit2")
    wait_for("Russian captions", lambda: readout.name == "Итерация")


def check_table(window, language):
    """Three columns under their titles, the channels 1 to 17 as row headers,
    the numbers without the spaces that place them."""
    window.show_page(2)
    grid = window.control("StringGrid1")
    table = grid.queryTable()
    if (table.nRows, table.nColumns) != (17, 3):
        fail("the table has %d rows and %d columns, expected 17 and 3"
             % (table.nRows, table.nColumns))
        return
    titles = [table.getColumnHeader(c).name for c in range(3)]
    if titles != TITLES[language]:
        fail("the table's column headers in %s are %r" % (language, titles))
    channels = [table.getRowHeader(r).name for r in range(17)]
    if channels != [str(n) for n in range(1, 18)]:
        fail("the table's row headers are %r" % channels)
    for row, column in ((0, 0), (16, 2)):
        name = table.getAccessibleAt(row, column).name
        if name != name.strip() or not name:
            fail("cell %d,%d is read as %r" % (row, column, name))


def check_text_events(window):
    """Quick teaching sends a readout's text only when it changes, once a tick
    at most: fewer text events than cycles."""
    window.show_page(0)
    iteration = window.control("Edit5").queryText()
    events = []
    listener = lambda event: events.append(event.type)
    pyatspi.Registry.registerEventListener(listener, "object:text-changed")
    first = int(iteration.getText(0, -1))
    window.press("Button1")
    wait_for("100 quick cycles", lambda: int(iteration.getText(0, -1)) >= first + 100)
    window.press("Button4")
    time.sleep(0.5)
    wait_for("the events", lambda: True)
    pyatspi.Registry.deregisterEventListener(listener, "object:text-changed")
    cycles = int(iteration.getText(0, -1)) - first
    if len(events) > cycles:
        fail("%d text events for %d quick cycles" % (len(events), cycles))


def listen_to_names():
    """Collects the new names of name-change events from now on."""
    heard = []
    pyatspi.Registry.registerEventListener(
        lambda event: heard.append((event.source.getRoleName(), event.source.name)),
        "object:property-change:accessible-name")
    return heard


def check_renamed(heard):
    names = [name for _, name in heard]
    for name in set(RENAMED):
        if names.count(name) < RENAMED.count(name):
            fail("%d name-change events say %r, expected %d; heard %r"
                 % (names.count(name), name, RENAMED.count(name), heard))


def check_lamp(window, language):
    lamp = window.control("Memo1")
    heard = listen_to_names()
    announced = []

    def lamp_announced():
        announced[:] = [name for role, name in heard if role == "status bar"]
        return announced
    speed = window.control("ScrollBar1")
    commands = [
        # command, how, the lamp's words
        ("Step", lambda: window.press("Button3"), "Step"),
        ("Quickly", lambda: window.press("Button1"), "Quick"),
        ("speed bar", lambda: speed.queryComponent().grabFocus(), "Continuous"),
        ("Stop", lambda: window.press("Button4"), "Stopped"),
    ]
    for command, act, mode in commands:
        words = LAMP_WORDS[language][mode]
        act()
        try:
            wait_for("the lamp to say %r" % words, lambda: lamp.name == words)
            wait_for("the change to %r announced" % words, lambda: words in lamp_announced())
        except TimeoutError as error:
            fail("%s: %s; the lamp says %r, announced %r" % (command, error, lamp.name, announced))
    # Stopped, then Step twenty times: the mode changed once.
    for _ in range(20):
        window.press("Button3")
    step = LAMP_WORDS[language]["Step"]
    wait_for("the lamp to say %r" % step, lambda: lamp.name == step)
    time.sleep(1)
    wait_for("the events", lambda: True)
    if lamp_announced().count(step) != 2:
        fail("twenty Steps after Stop announced %r %d times (with the first Step), expected 2"
             % (step, announced.count(step)))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: check-accessibility.py PID")
    window = Window(int(sys.argv[1]))
    check_names(window, 4, "English")
    check_table(window, "English")
    check_text_events(window)
    heard = listen_to_names()
    choose_russian(window)
    time.sleep(1)
    wait_for("the events", lambda: True)
    check_renamed(heard)
    check_names(window, 5, "Russian")
    check_table(window, "Russian")
    check_lamp(window, "Russian")
    window.press("Button2")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
