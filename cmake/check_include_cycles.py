#!/usr/bin/env python3
"""Fails when the sources include each other in a circle.

Two graphs are checked over core/, platform/ and app/: the files and their
quoted #include lines, and the components, a component being a header with
the source file of the same name beside it (a circle between components is
one file pair reaching the other and back, even when no single file does).
Includes that name no file of the tree (the system's, Qt's) are not edges.

Run: python3 check_include_cycles.py <source dir>
"""

import os
import re
import sys

ROOTS = ("core", "platform", "app")
# Component edges (from, to) left out of the component check, each cutting a
# circle that has to stay for a while; none today.
KNOWN_COMPONENT_EDGES = set()
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def sources(top):
    for root in ROOTS:
        for dirpath, _, names in os.walk(os.path.join(top, root)):
            for name in sorted(names):
                if name.endswith((".h", ".cpp")):
                    yield os.path.relpath(os.path.join(dirpath, name), top).replace(os.sep, "/")


def file_graph(top):
    files = set(sources(top))
    graph = {}
    for f in sorted(files):
        targets = []
        with open(os.path.join(top, f), encoding="utf-8", errors="replace") as text:
            for line in text:
                m = INCLUDE.match(line)
                if not m:
                    continue
                name = m.group(1)
                # The compiler looks beside the file first, then at the top.
                beside = os.path.normpath(os.path.join(os.path.dirname(f), name)).replace(os.sep, "/")
                for candidate in (beside, name):
                    if candidate in files:
                        targets.append(candidate)
                        break
        graph[f] = targets
    return graph


def component_graph(graph):
    def component(f):
        return os.path.splitext(f)[0]

    comps = {}
    for f, targets in graph.items():
        edges = comps.setdefault(component(f), [])
        for t in targets:
            c = component(t)
            if c != component(f) and c not in edges and (component(f), c) not in KNOWN_COMPONENT_EDGES:
                edges.append(c)
    return comps


def circles(graph):
    """One circle per strongly connected part of more than one node (or a
    node that reaches itself), as the list of its nodes in order."""
    index, low, on_stack, stack, found = {}, {}, set(), [], []
    counter = [0]

    def visit(start):
        # Iterative Tarjan: a deep include chain must not hit the recursion limit.
        work = [(start, iter(graph.get(start, ())))]
        index[start] = low[start] = counter[0]
        counter[0] += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, it = work[-1]
            advanced = False
            for nxt in it:
                if nxt not in index:
                    index[nxt] = low[nxt] = counter[0]
                    counter[0] += 1
                    stack.append(nxt)
                    on_stack.add(nxt)
                    work.append((nxt, iter(graph.get(nxt, ()))))
                    advanced = True
                    break
                if nxt in on_stack:
                    low[node] = min(low[node], index[nxt])
            if advanced:
                continue
            work.pop()
            if work:
                parent = work[-1][0]
                low[parent] = min(low[parent], low[node])
            if low[node] == index[node]:
                part = []
                while True:
                    n = stack.pop()
                    on_stack.discard(n)
                    part.append(n)
                    if n == node:
                        break
                if len(part) > 1 or node in graph.get(node, ()):
                    found.append(one_circle(graph, set(part), min(part)))

    for n in sorted(graph):
        if n not in index:
            visit(n)
    return found


def one_circle(graph, part, start):
    """A shortest way from start back to start inside part."""
    previous = {start: None}
    queue = [start]
    while queue:
        node = queue.pop(0)
        for nxt in graph.get(node, ()):
            if nxt == start:
                path = [node]
                while previous[path[-1]] is not None:
                    path.append(previous[path[-1]])
                return list(reversed(path)) + [start]
            if nxt in part and nxt not in previous:
                previous[nxt] = node
                queue.append(nxt)
    return [start, start]


def main():
    top = sys.argv[1] if len(sys.argv) > 1 else os.getcwd()
    files = file_graph(top)
    problems = []
    for circle in circles(files):
        problems.append("files include each other: " + " -> ".join(circle))
    for circle in circles(component_graph(files)):
        problems.append("components (.h with its .cpp) include each other: " + " -> ".join(circle))
    if problems:
        print("\n".join(problems))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
