# SPDX-License-Identifier: CC-BY-SA-4.0
# The game's icon, drawn from its own art: the title's sky and meadow, a highlighted title
# letter card with its Q, and the title quill racing past. One drawing, written twice: the
# desktop icon (data/desktop, 256x256, rendered to the hicolor sizes by the build) and the
# window icon (game.px8 "appicon", 64x64, brought to the game palette like all art).
import os
from common import *

def icon_body():
    clip = '<clipPath id="tile"><rect x="8" y="8" width="240" height="240" rx="52"/></clipPath>'
    sky = ('<linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">'
           '<stop offset="0" stop-color="#66ccff"/><stop offset="1" stop-color="#ccffff"/></linearGradient>')
    b = f'<defs>{clip}{sky}</defs><g clip-path="url(#tile)">'
    b += '<rect width="256" height="256" fill="url(#sky)"/>'
    b += cloud(62, 46, 0.9)
    # The title screen's two hills.
    b += '<path d="M0 200 Q64 172 128 200 T256 196 V256 H0 Z" fill="#339933"/>'
    b += '<path d="M0 220 Q90 190 180 218 T300 212 V256 H0 Z" fill="#66cc33"/>'
    b += '</g>'
    # A highlighted title cell (59x79, corner 14), twice the size, tilted as if just caught.
    b += '<g transform="translate(36 54) rotate(-8 60 80)">'
    b += rrect(4, 6, 118, 158, 26, '#000000', extra='opacity="0.22"')
    b += rrect(0, 0, 118, 158, 26, '#ffff99', '#ffcc00', 6)
    b += text(59, 118, 'Q', 116, '#cc3333',
              extra='stroke="#003366" stroke-width="7" stroke-linejoin="round" paint-order="stroke"')
    b += '</g>'
    # The title quill (56x40 art) at nearly four times its size, with its ink dot.
    b += '<g transform="translate(56 40) scale(3.7)">'
    b += ('<path d="M50 4 C34 8 22 20 16 34 L20 36 C28 24 38 14 50 4 Z" fill="#ffcc00" '
          'stroke="#cc6600" stroke-width="1.6" stroke-linejoin="round"/>')
    b += '<path d="M48 6 L18 35" stroke="#cc6600" stroke-width="1.2"/>'
    b += '<circle cx="16" cy="37" r="2.2" fill="#003366"/>'
    b += '</g>'
    return b

def icon(size, comment):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" '
            f'viewBox="0 0 256 256">\n  <!-- {comment} -->\n{icon_body()}\n</svg>\n')

desktop = os.path.join(os.path.dirname(ART), 'desktop')
open(os.path.join(desktop, 'quilrush32.svg'), 'w').write(
    icon(256, 'Quill-Rush: a title letter card and the title quill over the meadow'))
write('game', 'appicon.svg', icon(64, 'The window icon: the desktop icon at 64x64'))
