# SPDX-License-Identifier: CC-BY-SA-4.0
# Draws the animals of the play room's strip (113 x 367): each animal's backdrop and its
# sprite sheets, frames stacked top to bottom. Run it to redraw data/art/animals/.
import math
from common import svg, write as write_file


def write(lib, name, content):
    # our art is CC BY-SA; the licence goes in as the picture's first comment
    head, rest = content.split('\n', 1)
    write_file(lib, name, head + '\n  <!-- SPDX-License-Identifier: CC-BY-SA-4.0 -->\n' + rest)

LINE = '#4d2600'   # the outline of every animal
W, H = 113, 367    # the strip


def sheet(name, w, h, frames, draw, comment):
    body = ''
    for f in range(frames):
        body += f'<g transform="translate(0 {f*h})">{draw(f)}</g>'
    write('animals', f'{name}.svg', svg(w, h*frames, body, comment))


def mirror(w, g):
    return f'<g transform="translate({w} 0) scale(-1 1)">{g}</g>'


def E(cx, cy, rx, ry, fill, sw=2, rot=0, stroke=LINE, extra=''):
    t = f' transform="rotate({rot} {cx} {cy})"' if rot else ''
    s = f' stroke="{stroke}" stroke-width="{sw}"' if sw else ''
    return f'<ellipse cx="{cx}" cy="{cy}" rx="{rx}" ry="{ry}" fill="{fill}"{s}{t} {extra}/>'


def C(cx, cy, r, fill, sw=2, stroke=LINE):
    return E(cx, cy, r, r, fill, sw, stroke=stroke)


def P(d, fill='none', sw=2, stroke=LINE, extra=''):
    return f'<path d="{d}" fill="{fill}" stroke="{stroke}" stroke-width="{sw}" stroke-linecap="round" stroke-linejoin="round" {extra}/>'


def limb(x, y, length, angle, width, fill, paw=None):
    # a leg hanging from (x, y), swung by angle degrees
    paw = paw or fill
    return (f'<g transform="rotate({angle} {x} {y})">'
            f'<rect x="{x-width/2}" y="{y}" width="{width}" height="{length}" rx="{width/2}" fill="{fill}" stroke="{LINE}" stroke-width="2"/>'
            + E(x - 1.5, y + length - 1, width/2 + 2, 3.5, paw) + '</g>')


def eye(x, y, r=3.2, closed=False, happy=False):
    if happy:
        return P(f'M{x-r} {y+1} Q{x} {y-r-1} {x+r} {y+1}', sw=2.2, stroke='#000000')
    if closed:
        return P(f'M{x-r} {y} Q{x} {y+r} {x+r} {y}', sw=2, stroke='#000000')
    return C(x, y, r, '#000000', 0) + C(x + r*0.35, y - r*0.4, r*0.35, '#ffffff', 0)


# --------------------------------------------------------------------------------------
# Four-legged animals seen from the side (walking to the left) and from the front
# (sitting, and sitting up with the paws raised to hold the card).

class Beast:
    def __init__(self, fur, light, dark, ears, tail, extra_side='', extra_front=''):
        self.fur, self.light, self.dark = fur, light, dark
        self.ears, self.tail = ears, tail
        self.extra_side, self.extra_front = extra_side, extra_front


def walk_frame(b, f, frames=6):
    ph = 2 * math.pi * f / frames
    bob = -1.5 * abs(math.sin(ph))
    sw = 26 * math.sin(ph)
    s = ''
    # far legs first, a shade darker
    s += limb(60, 40 + bob, 17, -sw, 7, b.dark, b.dark)
    s += limb(28, 40 + bob, 17, sw, 7, b.dark, b.dark)
    # tail
    wag = 6 * math.sin(ph * 2)
    if b.tail == 'dog':
        s += P(f'M66 {31+bob} Q78 {24+bob+wag/2} {80} {12+bob+wag}', sw=6, stroke=LINE)
        s += P(f'M66 {31+bob} Q78 {24+bob+wag/2} {80} {12+bob+wag}', sw=3, stroke=b.fur)
    elif b.tail == 'cat':
        s += P(f'M66 {33+bob} Q84 {30+bob} {79} {10+bob+wag} q-2 -4 2 -6', sw=7, stroke=LINE)
        s += P(f'M66 {33+bob} Q84 {30+bob} {79} {10+bob+wag} q-2 -4 2 -6', sw=4, stroke=b.fur)
    else:  # a round bunny tail
        s += C(70, 30 + bob, 7, '#ffffff')
    # body
    s += E(45, 34 + bob, 25, 12.5, b.fur)
    s += E(44, 40 + bob, 16, 5, b.light, 0)
    s += b.extra_side.replace('BOB', str(bob))
    # near legs
    s += limb(56, 40 + bob, 18, sw, 7.5, b.fur, b.light)
    s += limb(31, 40 + bob, 18, -sw, 7.5, b.fur, b.light)
    # head
    hy = 22 + bob
    if b.ears == 'dog':
        s += E(27, hy - 2, 5, 10, b.dark, rot=25)
    elif b.ears == 'cat':
        s += P(f'M14 {hy-8} L16 {hy-20} L24 {hy-10} Z', b.fur) + P(f'M16.5 {hy-10} L17 {hy-16} L21 {hy-11} Z', '#ff99cc', 0)
        s += P(f'M23 {hy-9} L29 {hy-20} L31 {hy-7} Z', b.fur)
    else:  # long bunny ears
        # laid back along the neck while hopping
        s += E(34, hy - 9, 4.5, 13, b.fur, rot=62) + E(34, hy - 9, 2, 9, '#ff99cc', 0, rot=62)
        s += E(30, hy - 13, 4.5, 13, b.fur, rot=48) + E(30, hy - 13, 2, 9, '#ff99cc', 0, rot=48)
    s += C(20, hy, 12, b.fur)
    s += E(9, hy + 5, 8, 6, b.light)
    if b.ears == 'dog':
        s += E(3.5, hy + 3, 3.2, 2.6, '#000000', 0)
    else:
        s += P(f'M2.5 {hy+2} h4 l-2 3 z', '#ff6699', 1)
        s += P(f'M3 {hy+7} l-6 -1 M3 {hy+8} l-6 2', sw=0.8, stroke='#663300')
    s += eye(16, hy - 3)
    if b.ears == 'dog':
        s += f'<rect x="27" y="{hy+4}" width="5" height="13" rx="2" fill="#cc3333" stroke="{LINE}" stroke-width="1.5" transform="rotate(-20 29 {hy+10})"/>'
        s += C(27.5, hy + 16, 2.5, '#ffcc00', 1.2)
    return s


def front_frame(b, mood='', tail=0, arms_up=False):
    # 84 x 104, sitting and facing the player; the head's top is at y 24 so that a hat fits
    s = ''
    tx = 18 * tail
    if b.tail == 'dog':
        s += P(f'M58 86 Q80 84 {74+tx/3} {62-abs(tx)/4}', sw=7) + P(f'M58 86 Q80 84 {74+tx/3} {62-abs(tx)/4}', sw=4, stroke=b.fur)
    elif b.tail == 'cat':
        s += P(f'M60 92 Q84 90 {78+tx/3} {60-abs(tx)/4} q-1 -5 3 -7', sw=8) + P(f'M60 92 Q84 90 {78+tx/3} {60-abs(tx)/4} q-1 -5 3 -7', sw=5, stroke=b.fur)
    s += E(21, 94, 14, 9, b.fur) + E(63, 94, 14, 9, b.fur)
    s += E(42, 78, 23, 23, b.fur)
    s += E(42, 84, 14, 15, b.light, 0)
    s += b.extra_front
    if arms_up:
        s += limb(28, 66, 52, 172, 9, b.fur, b.light)
        s += limb(56, 66, 52, -172, 9, b.fur, b.light)
    else:
        s += f'<rect x="29" y="70" width="9" height="30" rx="4.5" fill="{b.fur}" stroke="{LINE}" stroke-width="2"/>'
        s += f'<rect x="46" y="70" width="9" height="30" rx="4.5" fill="{b.fur}" stroke="{LINE}" stroke-width="2"/>'
        s += E(33, 100, 6.5, 3.5, b.light) + E(51, 100, 6.5, 3.5, b.light)
    # head
    if b.ears == 'dog':
        s += E(23, 44, 7, 14, b.dark, rot=18) + E(61, 44, 7, 14, b.dark, rot=-18)
    elif b.ears == 'cat':
        s += P('M25 38 L24 18 L39 29 Z', b.fur) + P('M28 33 L28 23 L36 29 Z', '#ff99cc', 0)
        s += P('M59 38 L60 18 L45 29 Z', b.fur) + P('M56 33 L56 23 L48 29 Z', '#ff99cc', 0)
    else:
        s += E(33, 15, 5.5, 13, b.fur, rot=-8) + E(33, 16, 2.6, 9, '#ff99cc', 0, rot=-8)
        s += E(51, 15, 5.5, 13, b.fur, rot=8) + E(51, 16, 2.6, 9, '#ff99cc', 0, rot=8)
    s += C(42, 45, 20, b.fur)
    if b.ears == 'dog':
        s += C(42, 45, 20, 'none')
    s += E(42, 55, 11, 7.5, b.light)
    closed = mood in ('blink',)
    happy = mood in ('happy', 'cheer')
    s += eye(34.5, 41, 3.5, closed, happy) + eye(49.5, 41, 3.5, closed, happy)
    if b.ears == 'dog':
        s += E(42, 51, 4.5, 3.2, '#000000', 0)
    else:
        s += P('M39 50 h6 l-3 3.5 z', '#ff6699', 1)
        for d in (-1, 1):
            s += P(f'M{42+8*d} 55 l{13*d} -2 M{42+8*d} 57 l{13*d} 2', sw=0.9, stroke='#663300')
    if mood in ('cheer', 'bark'):
        s += P('M36 56 Q42 66 48 56 Z', '#993333', 1.5) + E(42, 61.5, 3.5, 2.2, '#ff6699', 0)
    else:
        s += P('M37 56 Q39.5 59 42 56 Q44.5 59 47 56', sw=1.6)
    if b.ears == 'dog':
        s += '<rect x="28" y="62" width="28" height="5" rx="2.5" fill="#cc3333" stroke="#4d2600" stroke-width="1.5"/>'
        s += C(42, 69, 3, '#ffcc00', 1.2)
    if b.ears == 'cat':
        s += '<rect x="29" y="62" width="26" height="4" rx="2" fill="#3366cc" stroke="#4d2600" stroke-width="1.2"/>'
        s += C(42, 68.5, 2.6, '#ffcc00', 1.2)
    return s


def paws(b):
    # the raised front paws, drawn over the card's lower corners (84 x 20)
    return (E(23, 9, 7.5, 6, b.light) + P('M20 6 v6 M24 5 v7', sw=1) +
            E(61, 9, 7.5, 6, b.light) + P('M60 5 v7 M64 6 v6', sw=1))


def party_hat():
    # overlay: 24 x 26, set on the head in the happy end scene
    return (P('M12 1 L22 23 Q12 27 2 23 Z', '#cc33cc', 1.6) +
            P('M7 12 L17 12 M4.5 18 L19.5 18', sw=2.4, stroke='#ffcc00') +
            C(12, 2.5, 3, '#ffff66', 1.2))


def beast(prefix, b, comment):
    sheet(prefix + 'wl', 84, 62, 6, lambda f: walk_frame(b, f), f'{comment}: walking left, six frames')
    sheet(prefix + 'wr', 84, 62, 6, lambda f: mirror(84, walk_frame(b, f)), f'{comment}: walking right, six frames')
    moods = [('', 0), ('blink', 0), ('', -1), ('', 1), ('bark', 0), ('cheer', 0)]
    sheet(prefix + 'sit', 84, 104, len(moods), lambda f: front_frame(b, *moods[f]),
          f'{comment} sitting: plain, blinking, tail left, tail right, barking, cheering')
    ups = [('', 0), ('blink', 0), ('', 1)]
    sheet(prefix + 'up', 84, 104, len(ups), lambda f: front_frame(b, ups[f][0], ups[f][1], True),
          f'{comment} sitting up to hold the card: plain, blinking, tail')
    write('animals', prefix + 'paws.svg', svg(84, 20, paws(b), f'{comment}: paws over the card'))


DOG = Beast('#cc9966', '#ffcc99', '#996633', 'dog', 'dog')
CAT_STRIPES = '<path d="M30 62 q4 6 0 12 M54 62 q-4 6 0 12" fill="none" stroke="#cc6600" stroke-width="3" stroke-linecap="round"/>'
CAT = Beast('#ff9933', '#ffcc99', '#cc6600', 'cat', 'cat',
            extra_side=''.join(f'<path d="M{x} 23 q3 6 0 12" transform="translate(0 BOB)" fill="none" '
                               'stroke="#cc6600" stroke-width="3" stroke-linecap="round"/>' for x in (40, 50, 60)),
            extra_front=CAT_STRIPES)
BUNNY = Beast('#dddddd', '#ffffff', '#aaaaaa', 'bunny', 'bunny')


# --------------------------------------------------------------------------------------
# The bird: flies in, perches on a branch and hangs the card from a ribbon in its feet.

def bird_frame(f, facing_left=True, perched=False):
    # 64 x 56; wing positions 0 up, 1 level, 2 down, 3 level
    wing = [-40, -8, 28, -8][f % 4] if not perched else 10
    s = ''
    s += P('M44 30 L62 22 L60 32 L63 40 Z', '#3366cc', 2)  # tail
    s += E(34, 30, 18, 13, '#3399ff')
    s += E(30, 35, 11, 7, '#ffff99', 0)
    s += C(18, 20, 11, '#3399ff')
    s += P('M8 17 L-1 21 L8 24 Z', '#ff9933', 1.6)
    s += eye(15, 17, 3)
    s += E(21, 24, 3, 2, '#ff99cc', 0)
    s += P('M15 9 q-2 -7 5 -6 M18 9 q2 -7 8 -3', sw=2.5, stroke='#3366cc')
    s += (f'<g transform="rotate({wing} 36 26)">' + E(44, 24, 14, 7, '#66ccff') +
          P('M36 24 q8 4 20 0', sw=1.2) + '</g>')
    if perched:
        s += P('M27 42 v9 M35 42 v9', sw=2.2, stroke='#ff9933')
    else:
        s += P('M28 42 l-4 6 M34 42 l-2 7', sw=2.2, stroke='#ff9933')
    return s if facing_left else mirror(64, s)


def bird():
    sheet('birdfl', 64, 56, 4, lambda f: bird_frame(f), 'Bird flying left: wings up, level, down, level')
    sheet('birdfr', 64, 56, 4, lambda f: bird_frame(f, False), 'Bird flying right')
    def perch(f):
        s = bird_frame(0, True, True)
        if f == 1:  # blink
            s += C(15, 17, 3.6, '#3399ff', 0) + eye(15, 17, 3, closed=True)
        if f == 2:  # sings
            s += P('M8 17 L-1 14 L7 19 Z M8 20 L-1 25 L8 23 Z', '#ff9933', 1.4)
        return s
    sheet('birdsit', 64, 56, 3, perch, 'Bird perched: plain, blinking, singing')
    # the ribbon the card hangs from (46 x 22)
    write('animals', 'ribbon.svg', svg(46, 22,
          P('M6 22 L23 2 L40 22', sw=2.5, stroke='#cc3333') + C(23, 3, 3, '#ffcc00', 1.2),
          'Ribbon from the bird\'s feet to the card'))


# --------------------------------------------------------------------------------------
# Small companions: background objects that live on through every scene.

def butterfly(f):
    # 20 x 16; wings open, half, closed
    k = [1.0, 0.55, 0.15][f]
    s = ''
    for d in (-1, 1):
        s += E(10 + d * 5 * k, 6, 5 * k + 0.5, 5, '#ff66cc', 1.2)
        s += E(10 + d * 4 * k, 11, 3.5 * k + 0.5, 3.5, '#ffcc00', 1.2)
    s += E(10, 8.5, 1.3, 5, '#333333', 0)
    s += P('M10 3 q-2 -3 -4 -2 M10 3 q2 -3 4 -2', sw=0.8, stroke='#333333')
    return s


def flower(f):
    # 26 x 52, swaying: stem bends left, straight, right, straight
    lean = [-5, 0, 5, 0][f]
    s = P(f'M13 52 Q13 34 {13+lean} 18', sw=3, stroke='#339933')
    s += E(8, 38, 6, 3, '#33cc66', 1, rot=-30, stroke='#339933')
    cx, cy = 13 + lean, 14
    for a in range(0, 360, 60):
        x = cx + 6 * math.cos(math.radians(a)); y = cy + 6 * math.sin(math.radians(a))
        s += C(x, y, 4.6, '#ffffff', 1.2, stroke='#999999')
    s += C(cx, cy, 4, '#ffcc00', 1.2, stroke='#cc9933')
    return s


def bee(f):
    # 18 x 14; wings up, down
    s = E(9, 9, 6.5, 4.5, '#ffcc00', 1.2, stroke='#333333')
    s += P('M7 5 v8 M11 5 v8', sw=1.6, stroke='#333333')
    s += C(3, 8, 2.4, '#333333', 0)
    wy = 2 if f == 0 else 4
    s += E(9, wy, 3, 2.5, '#ffffff', 0.8, stroke='#99ccff', extra='opacity="0.9"')
    return s


def star(f):
    # 16 x 16 twinkle, three sizes
    r = [7, 4.5, 2.5][f]
    pts = []
    for i in range(10):
        a = math.radians(-90 + i * 36)
        rr = r if i % 2 == 0 else r * 0.45
        pts.append(f'{8 + rr*math.cos(a):.2f},{8 + rr*math.sin(a):.2f}')
    return f'<polygon points="{" ".join(pts)}" fill="#ffff66" stroke="#cc9900" stroke-width="1"/>'


def companions():
    sheet('bfly', 20, 16, 3, butterfly, 'Butterfly: wings open, half, closed')
    sheet('flower', 26, 52, 4, flower, 'Daisy swaying in the wind')
    sheet('bee', 18, 14, 2, bee, 'Bee: wings up, down')
    sheet('twinkle', 16, 16, 3, star, 'A twinkling star')
    write('animals', 'parthat.svg', svg(24, 26, party_hat(), 'Party hat, an overlay for the happy end'))


# --------------------------------------------------------------------------------------
# Backdrops: each animal's own corner of the world, with a frame in the house style.

def frame(body, comment):
    s = body
    s += f'<rect x="1.5" y="1.5" width="{W-3}" height="{H-3}" rx="10" fill="none" stroke="#003366" stroke-width="3"/>'
    return svg(W, H, s, comment)


def sky(top, bottom, gid):
    return (f'<defs><linearGradient id="{gid}" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/></linearGradient></defs>'
            f'<rect width="{W}" height="{H}" rx="10" fill="url(#{gid})"/>')


def small_cloud(x, y, s):
    return (f'<g transform="translate({x} {y}) scale({s})" fill="#ffffff">'
            '<ellipse cx="0" cy="0" rx="20" ry="9"/><ellipse cx="-13" cy="4" rx="12" ry="7"/>'
            '<ellipse cx="14" cy="4" rx="13" ry="7"/><ellipse cx="3" cy="-6" rx="11" ry="8"/></g>')


def backdrops():
    # dog: a garden with a kennel and a fence
    s = sky('#66ccff', '#ccffff', 'dsky') + small_cloud(30, 50, 1) + small_cloud(90, 95, 0.7)
    s += '<path d="M0 250 Q40 232 113 246 V367 H0 Z" fill="#339933"/>'
    for x in range(4, 113, 14):
        s += f'<rect x="{x}" y="222" width="9" height="50" rx="2" fill="#ffffcc" stroke="#996633" stroke-width="1.5"/>'
    s += '<rect x="0" y="234" width="113" height="6" fill="#ffffcc" stroke="#996633" stroke-width="1.2"/>'
    s += '<path d="M0 268 Q56 258 113 266 V367 H0 Z" fill="#66cc33"/>'
    s += '<path d="M30 367 Q44 320 56 296 Q66 320 84 367 Z" fill="#cc9966" opacity="0.6"/>'
    for (x, y) in [(10, 330), (95, 320), (20, 352), (100, 350), (70, 340)]:
        s += C(x, y, 3, '#ffffff', 0) + C(x, y, 1.3, '#ffcc00', 0)
    write('animals', 'dogbg.svg', frame(s, 'Dog: garden with a picket fence'))

    # cat: a cosy window sill by night... with a rug and a moon
    s = sky('#333366', '#6666cc', 'csky')
    s += C(80, 50, 16, '#ffffcc', 0) + C(86, 46, 14, '#4d4d99', 0)
    for (x, y) in [(20, 30), (45, 80), (15, 120), (95, 110), (60, 20)]:
        s += C(x, y, 1.6, '#ffffff', 0)
    s += '<rect x="0" y="180" width="113" height="187" fill="#ffcc99"/>'
    s += '<rect x="0" y="180" width="113" height="8" fill="#cc9966"/>'
    for x in range(0, 113, 12):
        s += f'<rect x="{x}" y="188" width="6" height="179" fill="#ffcc66" opacity="0.5"/>'
    s += '<path d="M0 188 L18 188 L8 280 L0 290 Z M113 188 L95 188 L105 280 L113 290 Z" fill="#cc3333"/>'
    s += '<rect x="0" y="292" width="113" height="75" fill="#cc9966"/>'
    s += '<rect x="0" y="292" width="113" height="4" fill="#996633"/>'
    s += E(56, 335, 52, 16, '#9966cc', 2, stroke='#663399')
    s += E(56, 335, 38, 10, '#cc99ff', 0)
    write('animals', 'catbg.svg', frame(s, 'Cat: a warm room at night with a rug'))

    # bird: a tree branch against the sky, a nest on it
    s = sky('#99ccff', '#ffffcc', 'bsky') + small_cloud(70, 40, 0.9) + small_cloud(25, 200, 0.6)
    s += '<path d="M0 330 Q56 310 113 326 V367 H0 Z" fill="#66cc33"/>'
    s += '<path d="M113 150 Q70 150 20 162 L22 168 Q70 160 113 160 Z" fill="#996633" stroke="#663300" stroke-width="1.5"/>'
    s += '<path d="M80 156 q-6 -14 -20 -18" stroke="#663300" stroke-width="3" fill="none"/>'
    for (x, y, r) in [(60, 136, -20), (40, 150, 25), (96, 146, -40), (75, 166, 30)]:
        s += E(x, y, 8, 4, '#33cc66', 1, rot=r, stroke='#339933')
    s += E(98, 150, 13, 6, '#cc9966', 1.5, stroke='#663300')
    s += '<path d="M86 150 q12 6 24 0" stroke="#663300" stroke-width="1" fill="none"/>'
    write('animals', 'birdbg.svg', frame(s, 'Bird: a branch in a summer sky'))

    # bunny: a vegetable patch with carrots
    s = sky('#66ccff', '#ffffcc', 'rsky') + small_cloud(40, 60, 0.9)
    s += C(92, 40, 14, '#ffcc00', 0)
    s += '<path d="M0 256 Q60 240 113 250 V367 H0 Z" fill="#996633"/>'
    for y in (278, 306, 334):
        s += f'<path d="M0 {y} Q56 {y-8} 113 {y}" stroke="#663300" stroke-width="3" fill="none"/>'
        for x in range(10, 113, 24):
            s += P(f'M{x} {y-4} l-4 -12 M{x} {y-4} l0 -14 M{x} {y-4} l4 -12', sw=2.5, stroke='#33cc66')
            s += P(f'M{x-4} {y-3} L{x} {y+8} L{x+4} {y-3} Z', '#ff9933', 1, stroke='#cc6600')
    write('animals', 'bunnybg.svg', frame(s, 'Bunny: a carrot patch'))


beast('dog', DOG, 'Dog')
beast('cat', CAT, 'Cat')
beast('bun', BUNNY, 'Bunny')
bird()
companions()
backdrops()
