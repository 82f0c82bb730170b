#!/usr/bin/python3
"""Reads the running program through the accessibility bus, as a screen reader does, and drives it
with the keyboard and the controls' own actions: the catalogue, a chapter's viewer over three pages,
the 奇门遁甲 panel and the About box. Prints what it reads; exits 1 if a control has no Chinese
name, or the picture's description does not follow the pages."""

import re
import sys
import time

import pyatspi

CHINESE = re.compile("[\u4e00-\u9fff]")
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)


def chinese(text):
    return bool(text) and bool(CHINESE.search(text))


def role(node):
    try:
        return node.getRoleName()
    except Exception:
        return "?"


def walk(node, depth=0, limit=40):
    """Every node below node, depth first, in child order."""
    if node is None or depth > limit:
        return
    yield node, depth
    try:
        children = [node.getChildAtIndex(i) for i in range(node.childCount)]
    except Exception:
        children = []
    for child in children:
        yield from walk(child, depth + 1, limit)


def dump(node, title):
    print("---", title)
    for child, depth in walk(node):
        name, description = child.name or "", child.description or ""
        line = "  " * depth + "[%s] %s" % (role(child), name)
        if description:
            line += "  — " + description
        print(line)


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def find_all(root, predicate):
    return [node for node, _ in walk(root) if predicate(node)]


def wait_for(probe, what, seconds=15):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.2)
    failures.append("timed out waiting for " + what)
    print("FAIL: timed out waiting for", what)
    return None


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name in ("linglu", "灵箓汇编"):
            return app
    return None


def press(node):
    """Runs a control's press action (what a screen reader's 'activate' does)."""
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() in ("press", "click", "activate"):
            action.doAction(i)
            return True
    check(False, "%s offers no press action" % node.name)
    return False


def key(keysym, kind=pyatspi.KEY_SYM):
    pyatspi.Registry.generateKeyboardEvent(keysym, None, kind)
    time.sleep(0.3)


def fresh(node):
    """The node as the program has it now, not as the client last cached it."""
    for clear in ("clearCache", "clear_cache"):
        if hasattr(node, clear):
            try:
                getattr(node, clear)()
            except Exception:
                pass
            break
    return node


def description(node):
    return fresh(node).description or ""


def next_entry(combo, picture):
    """Down in the focused list shows the next entry; returns the picture's new description."""
    before = description(picture)
    for _ in range(3):
        # Without a window manager the keyboard goes to the window under the pointer.
        box = combo.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2, "abs")
        combo.queryComponent().grabFocus()
        time.sleep(0.5)
        key(KEY_DOWN)
        print("list at:", combo.name)
        deadline = time.time() + 5
        while time.time() < deadline:
            now = description(picture)
            if now and now != before:
                return now
            time.sleep(0.2)
    check(False, "Down in the list changed the picture's description (still %s)" % before)
    return before


KEY_DOWN, KEY_ESCAPE = 0xFF54, 0xFF1B
KEYCODE_ALT, KEYCODE_I = 64, 31  # the X server's standard keyboard map


def viewer_window(app, caption):
    return next(iter(find_all(app, lambda n: n.name == caption and role(n) in ("internal frame", "frame", "window"))), None)


def program_and_frame():
    """The program on the accessibility bus and its main window, once both are there; else Nones."""
    app = wait_for(program, "the program on the accessibility bus", 30)
    if app is None:
        return None, None
    return app, wait_for(lambda: next(iter(find_all(app, lambda n: role(n) == "frame")), None), "the main window")


def main():
    app, frame = program_and_frame()
    if frame is None:
        return 1

    # The catalogue: twelve titles the reader hears as buttons, and the banner.
    captions = ["奇门符咒", "符咒心得", "祝由须知", "日常琐事", "祝由秘字", "驱煞转运",
                "治病驱魔", "问世通灵", "夜行护身", "修身养性", "镇宅兴家", "隐身飞升"]
    titles = wait_for(lambda: find_all(frame, lambda n: role(n) == "push button" and n.name in captions),
                      "the catalogue's titles")
    dump(frame, "catalogue")
    check(titles and sorted(t.name for t in titles) == sorted(captions), "the twelve titles are buttons named by their captions")
    for title in titles or []:
        check(chinese(title.description), "title %s has a description" % title.name)
    banner = find_all(frame, lambda n: n.name == "横幅")
    check(len(banner) == 1 and chinese(banner[0].description), "the banner has a name and a description")

    # A chapter from its title; three pages through the list with the Down key.
    daily = next(t for t in titles if t.name == "日常琐事")
    press(daily)
    viewer = wait_for(lambda: viewer_window(app, "灵箓汇编-日常琐事"), "the viewer of 日常琐事")
    if viewer is None:
        return 1
    dump(viewer, "viewer")
    combos = find_all(viewer, lambda n: role(n) == "combo box")
    # On Linux Qt names a list by its current item (its label comes through a relation).
    check(len(combos) == 1 and chinese(combos[0].name) and chinese(combos[0].description),
          "the list has a Chinese name and description")
    # What the list is for comes through its label: the chapter's caption and 条目, before the item.
    labels = []
    if combos:
        for relation in combos[0].getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                labels += [relation.getTarget(i) for i in range(relation.getNTargets())]
    print("list labelled by:", [(role(l), l.name) for l in labels])
    check(len(labels) == 1 and role(labels[0]) == "label" and labels[0].name == "日常琐事符咒：条目",
          "the list is labelled by the chapter's caption, named with 条目")
    check(labels and any(r.getRelationType() == pyatspi.RELATION_LABEL_FOR for r in labels[0].getRelationSet()),
          "the caption says it labels the list")
    panes = find_all(viewer, lambda n: role(n) in ("text", "entry", "paragraph") and showing(n))
    check(len(panes) == 2 and all(chinese(p.name) for p in panes), "both panes have Chinese names")
    check(len(panes) == 2 and panes[0].name != panes[1].name, "the two panes have different names")
    pictures = find_all(viewer, lambda n: role(n) in ("image", "icon"))
    check(len(pictures) == 1 and chinese(pictures[0].name), "the picture has a Chinese name")
    if not combos or len(pictures) != 1:
        return 1
    picture = pictures[0]
    descriptions = [description(picture)]
    print("picture:", descriptions[-1])
    for _ in range(2):
        descriptions.append(next_entry(combos[0], picture))
        print("picture:", descriptions[-1])
    check(len(set(descriptions)) == 3 and all(chinese(d) and re.search(r"\d{3}", d) for d in descriptions),
          "three pages give three picture descriptions, each naming the entry and the picture number")

    # The 奇门遁甲 panel: its second entry shows it.
    press(next(t for t in titles if t.name == "奇门符咒"))
    qimen = wait_for(lambda: viewer_window(app, "灵箓汇编-奇门遁甲"), "the viewer of 奇门遁甲")
    if qimen is None:
        return 1
    qimen_picture = find_all(qimen, lambda n: role(n) in ("image", "icon"))[0]
    next_entry(find_all(qimen, lambda n: role(n) == "combo box")[0], qimen_picture)
    day = wait_for(lambda: next(iter(find_all(qimen, lambda n: role(n) == "push button" and "子丑日" in (n.name or "") and showing(n))), None),
                   "the panel's buttons")
    dump(qimen, "奇门遁甲 viewer with its panel")
    if day is not None:
        panel = day.parent
        check(chinese(panel.name), "the panel has a Chinese name")
        buttons = find_all(panel, lambda n: role(n) == "push button")
        check(len(buttons) == 13 and all(chinese(b.name) for b in buttons), "the panel's thirteen buttons have Chinese names")
        before = description(qimen_picture)
        press(day)
        wait_for(lambda: description(qimen_picture) != before, "the day chart's picture description")
        print("picture:", description(qimen_picture))
        check("子丑日" in description(qimen_picture) and "079" in description(qimen_picture),
              "the day chart's description names the chart and its picture")

    # The About box through its access key Alt+I.
    qimen.queryComponent().grabFocus()
    pyatspi.Registry.generateKeyboardEvent(KEYCODE_ALT, None, pyatspi.KEY_PRESS)
    key(KEYCODE_I, pyatspi.KEY_PRESSRELEASE)
    pyatspi.Registry.generateKeyboardEvent(KEYCODE_ALT, None, pyatspi.KEY_RELEASE)
    about = wait_for(lambda: next(iter(find_all(app, lambda n: role(n) == "dialog" and n.name == "关于 灵箓汇编")), None),
                     "the About box")
    if about is not None:
        dump(about, "About box")
        labels = find_all(about, lambda n: role(n) == "label")
        check(len(labels) == 4 and all(chinese(l.name) for l in labels), "the About box's four labels have Chinese names")
        buttons = find_all(about, lambda n: role(n) == "push button")
        check(sorted(b.name for b in buttons) == sorted(["确定", "系统信息"]), "the About box's buttons are 确定 and 系统信息")
        check(all(chinese(b.description) for b in buttons), "the About box's buttons have descriptions")
        key(KEY_ESCAPE)

    # The contents panel through the 阅读 menu's item, as a screen reader runs it: a tree the
    # reader hears by its name, whose rows are named by their text.
    item = next(iter(find_all(frame, lambda n: role(n) in ("menu item", "check menu item") and (n.name or "").startswith("章节目录"))), None)
    check(item is not None, "the 阅读 menu holds 章节目录")
    if item is not None:
        press(item)
    tree = wait_for(lambda: next(iter(find_all(frame, lambda n: n.name == "章节目录" and "tree" in role(n))), None),
                    "the contents panel's tree")
    if tree is not None:
        rows = wait_for(lambda: find_all(tree, lambda n: n.name in ("日常琐事", "祝由须知", "收藏", "最近阅读")),
                        "the tree's rows")
        check(rows and sorted(set(r.name for r in rows)) == sorted(["日常琐事", "祝由须知", "收藏", "最近阅读"]),
              "the tree's rows are named by their text")
        check(chinese(tree.description), "the tree has a description")

    print("failures:", len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
