"""Include arrows point down: no file of src/ includes a header of a layer above
its own. The layers, lowest first:

  0  platform                     what stands in for the operating system
  1  data                         record keys, texts, layouts, the data module and its services
  2  schedule (its own files)     the working-time engine
  3  schedule/<service>           sync, slots, repeat, dependencies, task resources
  4  chart, controls              the chart control and the component library (peers:
                                  neither includes the other)
  5  schedule/visualize,          the pages' logic and their windows
     schedule/workcalendartab
  6  tasks, customers, reports,   the windows and their logic
     exchange, settings, query
  7  app, */unit/                 the session, the main window and the entry point;
                                  the feature unit in a feature's unit/ folder,
                                  which wires that feature's page to the session

A second check reads the CMakeLists.txt files of src/: every library target
links, itself, each library whose files its own files include (a header
belongs to the target that builds it or its .cpp). Leaning on a dependency of
a dependency hides an arrow that moves with it.

Prints every offending include and exits 1 when there is one."""
import os
import re
import sys

PEERS = {('chart', 'controls'), ('controls', 'chart')}


def layer(path):
    if '/unit/' in path:
        return 7
    top = path.split('/')[0]
    if top == 'platform':
        return 0
    if top == 'data':
        return 1
    if path.startswith(('schedule/visualize/', 'schedule/workcalendartab/')):
        return 5
    if top == 'schedule':
        return 3 if path.count('/') >= 2 else 2
    if top in ('chart', 'controls'):
        return 4
    if top == 'app':
        return 7
    return 6


def includes(path, src):
    """The project headers a file includes, as paths under src."""
    found = []
    with open(path, encoding='utf-8', errors='replace') as f:
        for number, line in enumerate(f, 1):
            m = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
            if m and os.path.exists(os.path.join(src, m.group(1))):
                found.append((number, m.group(1)))
    return found


def targets(src):
    """Library targets: name -> (their files, the libraries they link)."""
    libs = {}
    for folder, _, files in os.walk(src):
        if 'CMakeLists.txt' not in files:
            continue
        with open(os.path.join(folder, 'CMakeLists.txt'), encoding='utf-8') as f:
            text = re.sub(r'#.*', '', f.read())
        text = text.replace('${PROJECT_SOURCE_DIR}', os.path.dirname(os.path.abspath(src)))
        for m in re.finditer(r'add_library\(\s*(\w+)([^)]*)\)', text):
            files_of = [os.path.normpath(os.path.join(folder, word)) for word in m.group(2).split()
                        if word.endswith(('.cpp', '.h'))]
            libs[m.group(1)] = (files_of, set())
        for m in re.finditer(r'target_link_libraries\(\s*(\w+)([^)]*)\)', text):
            if m.group(1) in libs:
                libs[m.group(1)][1].update(m.group(2).split())
    return libs


def undeclared(src):
    libs = targets(src)
    owner = {}
    for name, (files, _) in libs.items():
        for path in files:
            owner.setdefault(path, set()).add(name)
            if path.endswith('.cpp'):
                owner.setdefault(path[:-4] + '.h', set()).add(name)
    bad = []
    for name, (files, links) in sorted(libs.items()):
        for path in files:
            if not os.path.exists(path):
                continue
            for number, inc in includes(path, src):
                owners = owner.get(os.path.normpath(os.path.join(src, inc)), set())
                if owners and name not in owners and not owners & links:
                    bad.append(f'{path}:{number}: {name} includes {inc} of {" or ".join(sorted(owners))}'
                               ' without linking it')
    return bad


def main(src):
    bad = []
    for folder, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith(('.h', '.cpp')):
                continue
            full = os.path.join(folder, name)
            rel = os.path.relpath(full, src)
            with open(full, encoding='utf-8', errors='replace') as f:
                for number, line in enumerate(f, 1):
                    m = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
                    if not m or not os.path.exists(os.path.join(src, m.group(1))):
                        continue
                    inc = m.group(1)
                    up = layer(inc) > layer(rel)
                    peer = (rel.split('/')[0], inc.split('/')[0]) in PEERS
                    if up or peer:
                        bad.append(f'src/{rel}:{number}: includes {inc} from a layer above')
    bad += undeclared(src)
    for b in bad:
        print(b)
    return 1 if bad else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1]))
