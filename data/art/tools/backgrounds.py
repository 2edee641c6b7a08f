# SPDX-License-Identifier: CC-BY-SA-4.0
from common import *

def sky_scene(top=SKY,bottom=SKY2,sun=True,night=False):
    b = ('<defs><linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">'
         f'<stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/></linearGradient></defs>'
         '<rect width="600" height="400" fill="url(#sky)"/>')
    if night:
        import random
        rnd=random.Random(7)
        for i in range(60):
            x=rnd.randint(0,600); y=rnd.randint(0,200); r=rnd.choice([1,1,1.5,2])
            b+=f'<circle cx="{x}" cy="{y}" r="{r}" fill="#ffffcc"/>'
        b+='<circle cx="520" cy="60" r="30" fill="#ffffcc"/><circle cx="534" cy="52" r="26" fill="#333366"/>'
    elif sun:
        b+='<circle cx="540" cy="56" r="34" fill="#ffcc00"/>'
        for a in range(0,360,30):
            b+=f'<rect x="536" y="4" width="8" height="14" rx="4" fill="#ffcc00" transform="rotate({a} 540 56)"/>'
    return b

def hills(c1=GRASS,c2=GRASS2,y=320):
    return (f'<path d="M0 {y} Q150 {y-60} 300 {y} T600 {y} V400 H0 Z" fill="{c2}"/>'
            f'<path d="M0 {y+20} Q200 {y-30} 400 {y+20} T800 {y} V400 H0 Z" fill="{c1}"/>')

def flowers(y0=360, n=14, seed=3):
    import random
    r=random.Random(seed); b=''
    for i in range(n):
        x=r.randint(10,590); y=r.randint(y0,395); c=r.choice([RED,SUN,PINK,'#ffffff',PURPLE])
        b+=f'<g transform="translate({x} {y})"><rect x="-1" y="0" width="2" height="10" fill="#339933"/>'
        b+=''.join(f'<circle cx="{dx}" cy="{dy}" r="3" fill="{c}"/>' for dx,dy in [(-3,0),(3,0),(0,-3),(0,3)])
        b+='<circle cx="0" cy="0" r="2" fill="#ffcc00"/></g>'
    return b

def title_bg(night):
    b = sky_scene('#333366' if night else SKY, '#cc6699' if night else '#ccffff', sun=not night, night=night)
    if not night:
        b += cloud(110,40,1.0)+cloud(330,30,0.8)+cloud(460,340,0.6)
    b += hills('#339966' if night else GRASS, '#336633' if night else GRASS2, 330)
    b += flowers(350, 10, 5)
    # a soft stage behind the two rows of title letters
    b += rrect(38,70,520,252,28,'#ffffff',extra='opacity="0.35"')
    return svg(600,400,b,'Title screen, '+('evening' if night else 'day')+': the letters appear in the light panel')

write('game','qrtitle.svg',title_bg(False))
write('game','qrtitle3.svg',title_bg(True))

def header(title_text):
    return (rrect(120,10,360,64,20,'#ffffff','#003366',4)+
            text(300,58,title_text,40,'#cc3333',extra='stroke="#003366" stroke-width="1.5"'))

# home: the module menu
b = sky_scene() + cloud(60,30,0.8)+cloud(520,110,0.6) + hills(GRASS,GRASS2,340)
b += header('Quill-Rush')
b += rrect(24,96,552,156,14,'#ffffff','#003366',3)
for r in range(4):
    y=100+7+35*r
    b += rrect(30,y-4,540,32,8,'#e6f5ff' if r%2==0 else '#ffffff')
b += rrect(30,258,540,92,12,'#ffffcc','#cc9933',3)
b += plate(30,360,140,30,'#99ccff','#336699') + plate(180,360,140,30,'#ffcc66','#cc9933')
# quit: a little door
b += plate(330,360,60,30,'#ff9999','#cc3333')
b += rrect(352,364,16,22,2,'#993300') + '<circle cx="364" cy="376" r="1.5" fill="#ffcc00"/>'
b += plate(466,356,98,38,'#ffffff','#336699') + music_spot()
write('game','home.svg',svg(600,400,b,'Home: module list (30,100,540,147), description below, buttons along the bottom'))

# start room
b = sky_scene('#99ccff','#ccffff',sun=False) + hills('#99cc66','#669933',350)
b += rrect(12,8,308,38,10,'#ffffff','#003366',3) + rrect(332,8,258,38,10,'#ffffff','#003366',3)
b += rrect(12,50,404,202,12,'#ffffcc','#cc9933',3)
b += rrect(420,54,84,30,8,'#ffffff','#003366',2)
b += rrect(430,86,158,264,14,'#ffffff','#003366',3)
b += rrect(436,90,146,22,6,'#99ccff')
for r in range(10):
    if r%2==0: b += rrect(436,116+23*r,146,23,4,'#e6f5ff')
for (x,y,w,h,c,e) in [(505,54,88,30,'#99ccff','#336699'),(16,262,198,26,'#ffcc66','#cc9933'),(216,262,198,26,'#ffcc66','#cc9933'),
                      (16,294,198,26,'#ffcc66','#cc9933'),(216,294,198,26,'#99ccff','#336699'),(16,328,198,26,'#ff9999','#cc3333'),
                      (16,362,198,30,'#99ccff','#336699')]:
    b += plate(x,y,w,h,c,e)
b += rrect(225,329,175,28,10,'#ffffff','#003366',2)
b += plate(430,355,136,38,'#66cc66','#339933') + music_spot()
write('game','start.svg',svg(600,400,b,'Start room panels at the places the room draws into'))

# play: the generic board, also the pattern for the scene backgrounds
def board(scene):
    b = scene
    b += rrect(6,40,460,306,14,'#ffffff','#003366',3)
    b += rrect(2,2,466,34,10,'#003366',extra='opacity="0.75"')
    # control band
    b += '<rect x="0" y="346" width="600" height="54" fill="#996633"/>'
    b += '<rect x="0" y="346" width="600" height="4" fill="#663300"/>'
    for x in range(0,600,40): b += f'<rect x="{x}" y="352" width="2" height="48" fill="#663300" opacity="0.4"/>'
    b += rrect(12,344,32,56,8,'#333333','#000000',2)
    b += rrect(52,364,126,34,6,'#663300')
    b += rrect(198,368,108,30,6,'#663300')
    b += rrect(313,360,80,40,6,'#cc9966')
    b += plate(400,368,62,26,'#99ccff','#336699')
    b += rrect(542,372,58,28,6,'#663300')
    return b

def meadow():
    return sky_scene() + cloud(520,120,0.7) + cloud(560,200,0.5) + hills(GRASS,GRASS2,300) + flowers(330,8,2)
write('game','play.svg',svg(600,400,board(meadow()),'Play room: board, animal strip on the right, control band at the bottom'))

def scene_bg(kind):
    if kind=='meadow': s=meadow()
    elif kind=='sea':
        s = sky_scene('#66ccff','#ccffff') + cloud(520,110,0.6)
        s += '<rect x="0" y="250" width="600" height="150" fill="#3399cc"/>'
        for y in range(262,340,14): s += f'<path d="M0 {y} q15 -6 30 0 t30 0 t30 0 t30 0 t30 0 t30 0 t30 0 t30 0 t30 0 t30 0 t30 0 t30 0 t30 0 t30 0 t30 0 t30 0 t30 0 t30 0 t30 0 t30 0" stroke="#99ccff" stroke-width="2" fill="none"/>'
        s += '<path d="M420 330 Q520 270 620 300 V400 H420 Z" fill="#ffcc66"/>'
        s += '<path d="M520 240 l30 0 l-15 -50 z" fill="#ffffff"/><rect x="516" y="240" width="40" height="10" rx="4" fill="#cc3333"/>'
    elif kind=='forest':
        s = sky_scene('#99ccff','#ccffcc',sun=False) + hills('#339933','#336633',310)
        import random
        r=random.Random(11)
        for i in range(9):
            x=r.randint(470,590); y=r.randint(150,300); h=r.randint(50,90)
            s += f'<rect x="{x-4}" y="{y}" width="8" height="{h//2}" fill="#663300"/><path d="M{x} {y-h} l{h//3} {h} h-{2*(h//3)} z" fill="#006633"/>'
    else: # snow
        s = sky_scene('#99ccff','#ffffff',sun=False) + '<path d="M0 300 Q150 250 300 300 T600 290 V400 H0 Z" fill="#ffffff"/>'
        s += '<path d="M460 300 l60 -120 l60 120 z" fill="#ccccff"/><path d="M500 220 l20 -40 l20 40 l-10 -6 l-10 8 l-10 -8 z" fill="#ffffff"/>'
        import random
        r=random.Random(5)
        for i in range(70): s += f'<circle cx="{r.randint(0,600)}" cy="{r.randint(0,340)}" r="{r.choice([1.5,2,2.5])}" fill="#ffffff"/>'
        s += '<circle cx="540" cy="330" r="16" fill="#ffffff"/><circle cx="540" cy="305" r="11" fill="#ffffff"/><path d="M540 305 l14 3 l-14 3 z" fill="#ff9933"/>'
    return s
for i,k in enumerate(['meadow','sea','forest','snow'],1):
    write('scenes',f'bg{i:02d}.svg',svg(600,400,board(scene_bg(k)),f'Play-room background: {k}'))

def framed(name, title_colour, comment):
    b = sky_scene('#ffcc99','#ffffcc',sun=False)
    for i in range(0,600,30):
        b += f'<circle cx="{i+15}" cy="10" r="6" fill="{title_colour}" opacity="0.5"/><circle cx="{i+15}" cy="390" r="6" fill="{title_colour}" opacity="0.5"/>'
    # the heading stands in the band above the page
    b += rrect(120,20,360,36,16,'#ffffff','#996633',3,extra='opacity="0.6"')
    b += rrect(20,60,560,286,18,'#ffffff','#996633',4)
    for x,y,c in [(60,38,'#ffcc00'),(540,38,'#ffcc00'),(90,30,title_colour),(510,30,title_colour)]:
        b += f'<path d="M{x} {y-10} l3 7 h8 l-6 5 l2 8 l-7 -5 l-7 5 l2 -8 l-6 -5 h8 z" fill="{c}"/>'
    b += plate(30,358,140,32,'#99ccff','#336699') + plate(466,356,98,38,'#ffffff','#336699') + music_spot()
    return svg(600,400,b,comment)
write('game','credits.svg',framed('credits','#cc3333','Credits: text on the white page, back and page buttons below'))
write('game','author.svg',framed('author','#3399cc','Author page: text on the white page'))
b = sky_scene('#99ccff','#ffffff',sun=False) + hills('#99cc66','#669933',350)
b += rrect(20,20,560,326,18,'#ffffff','#003366',4)
b += '<g transform="translate(540 60)"><circle r="24" fill="#66ccff" stroke="#003366" stroke-width="3"/><ellipse rx="10" ry="24" fill="none" stroke="#003366" stroke-width="2"/><path d="M-24 0 h48 M-20 -12 h40 M-20 12 h40" stroke="#003366" stroke-width="2"/></g>'
b += plate(30,358,140,32,'#99ccff','#336699') + plate(190,358,120,32,'#66cc66','#339933') + plate(330,358,120,32,'#ff9999','#cc3333') + music_spot()
write('game','language.svg',svg(600,400,b,'Language choice: entries in columns on the white page'))

# initials: the letter pad with its characters at the places the room reads clicks from
b = sky_scene('#99ccff','#ccffff',sun=False)
for i,x in enumerate([218,277,336]):
    b += rrect(x-3,27,53,78,10,'#003366') + rrect(x,30,47,72,8,'#ffffff')
b += rrect(40,124,520,210,16,'#ffffcc','#cc9933',3)
rows=[(87,'ABCDEFGHIJKLM'),(87,'NOPQRSTUVWXYZ'),(50,''.join(chr(c) for c in range(192,208))),
      (62,''.join(chr(c) for c in list(range(208,215))+list(range(216,224)))),(0,'0123456789!#$&*-+.?/')]
for r,(left,chars) in enumerate(rows):
    for i,ch in enumerate(chars):
        x=50+left+25*i; y=130+39*r
        b += rrect(x+1,y+3,23,33,5,'#ffffff','#cc9933',1)
        b += text(x+12.5,y+27,ch,20,'#003366')
b += plate(150,345,120,34,'#66cc66','#339933') + plate(330,345,120,34,'#ff9999','#cc3333') + music_spot()
write('game','initials.svg',svg(600,400,b,'Initials: three initial boxes and the letter pad (50,130), rows of 39, cells of 25'))

# diploma: a certificate
b = '<rect width="600" height="400" fill="#336699"/>'
for i in range(0,600,20): b += f'<rect x="{i}" y="0" width="10" height="400" fill="#3366cc" opacity="0.4"/>'
b += rrect(20,14,560,372,10,'#ffffcc','#cc9933',6) + rrect(34,28,532,344,6,'none','#cc9933',2)
for (x,y) in [(44,38),(556,38),(44,362),(556,362)]:
    b += f'<circle cx="{x}" cy="{y}" r="7" fill="#cc3333"/>'
b += '<g transform="translate(510 330)"><circle r="26" fill="#ffcc00" stroke="#cc9933" stroke-width="3"/><path d="M-14 18 l-8 30 l14 -8 l8 14 l4 -30 M14 18 l8 30 l-14 -8 l-8 14" fill="#cc3333"/><path d="M0 -14 l4 9 h10 l-8 6 l3 10 l-9 -6 l-9 6 l3 -10 l-8 -6 h10 z" fill="#ffffff"/></g>'
# The upper rule runs between the author line (text down to y 118) and the picture (from 123).
b += '<path d="M60 120 h480 M60 290 h480" stroke="#cc9933" stroke-width="2"/>' + music_spot()
write('game','diploma.svg',svg(600,400,b,'Diploma: list title and author at y 72 and 95, the picture in the middle, the score at y 325'))
