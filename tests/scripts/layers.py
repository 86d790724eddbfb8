"""Include arrows point down: no file of src/ includes a header of a layer above
its own. The layers, lowest first:

  0  platform                     what stands in for the operating system
  1  data                         record keys, texts, layouts, the data module and its services
  2  schedule (its own files)     the working-time engine
  3  schedule/<service>           sync, slots, repeat, dependencies, task resources
  4  chart, controls              the chart control and the component library (peers:
                                  neither includes the other)
  5  schedule/visualize,          the pages' logic without their windows
     schedule/workcalendartab
  6  tasks, customers, reports,   the windows and their logic
     exchange, settings
  7  app                          the session, the main window and the entry point

Prints every offending include and exits 1 when there is one."""
import os
import re
import sys

PEERS = {('chart', 'controls'), ('controls', 'chart')}


def layer(path):
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
    for b in bad:
        print(b)
    return 1 if bad else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1]))
