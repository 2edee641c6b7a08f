# SPDX-License-Identifier: CC-BY-SA-4.0
from common import *
# ---- help pages: 430x260 at (20,45); buttons at picture (270,227) prev, (318,227) next, (366,227) close
def page(n, body, comment, heading=False):
    b = rrect(1,1,428,258,16,'#ffffee','#003366',3)
    # A page with a heading of its own (drawn by the game at y 2) gets the band without
    # the "?", a little higher, so that the heading sits in it.
    if heading:
        b += rrect(8,3,414,27,10,'#99ccff')
    else:
        b += rrect(8,6,414,26,10,'#99ccff')
        b += text(215,25,'?',18,'#003366')
    b += body
    for x,kind in [(270,'prev'),(318,'next'),(366,'ok')]:
        b += rrect(x,227,40,26,8,'#ffcc66','#cc9933',2)
        if kind=='prev': b += f'<path d="M{x+25} {227+6} l-10 7 l10 7 z" fill="#003366"/>'
        elif kind=='next': b += f'<path d="M{x+15} {227+6} l10 7 l-10 7 z" fill="#003366"/>'
        else: b += f'<path d="M{x+12} {227+13} l6 6 l11 -12" stroke="#339933" stroke-width="4" fill="none" stroke-linecap="round"/>'
    b += ''.join(f'<circle cx="{20+12*i}" cy="240" r="4" fill="{"#3399cc" if i==n else "#cccccc"}"/>' for i in range(6))
    write('game',f'playhlp{n+1}.svg',svg(430,260,b,comment))

cell=lambda x,y,ch,c='#ffffff': rrect(x,y,17,25,2,c,'#5b6b8c',1)+(text(x+8.5,y+19,ch,15,'#003366') if ch else '')
# page 1: welcome (text block 280 wide at 9,71): a picture on the right
b = '<g transform="translate(310 70)">' + ''.join(cell(18*i,40,ch) for i,ch in enumerate(['C','','T'])) + \
    rrect(10,90,46,62,4,'#fff3c4','#2e8b3a',2) + text(33,136,'a',36,'#003366') + '</g>'
page(0,b,'Help 1: welcome; text on the left')
# page 2: how to click (text blocks 402 wide at y 71 and 153): the picture sits above
# the text, the pointer on the empty cell
b = ''.join(cell(300+18*i,38,ch,('#ffffff')) for i,ch in enumerate(['B','','R','D'])) + \
    '<path d="M320 46 l8 18 l3 -7 l7 -2 z" fill="#ffffff" stroke="#000" stroke-width="1.5"/>'
page(1,b,'Help 2: clicking a cell')
# page 3: traffic light lines at (32,122), (32,149), (32,176)
b=''
for k,c in enumerate(['#33ff66','#ffcc00','#ff3333']):
    b += f'<circle cx="18" cy="{130+27*k}" r="8" fill="{c}" stroke="#222" stroke-width="2"/>'
page(2,b,'Help 3: the traffic light; one lamp beside each line')
# page 4: scoring
b = '<g transform="translate(330 96)">' + rrect(0,0,76,30,6,'#003366') + text(38,22,'+750',18,'#ffff66') + '</g>'
page(3,b,'Help 4: scoring')
# page 5: lives
b = ''.join(f'<g transform="translate({300+22*i} 190)"><circle cx="8" cy="6" r="5" fill="#ffcc99"/><rect x="4" y="12" width="8" height="12" rx="2" fill="{c}"/></g>' for i,c in enumerate(['#cc3333','#3399cc','#33cc66','#ff9933','#9966cc']))
page(4,b,'Help 5: lives and bonus cards')
# page 6: the six bonus cards beside lines at (32, 84 + 26k)
cards=[('#ffcc00','★'),('#ff9999','♥'),('#ffccff','☺'),('#99ffcc','↻'),('#99ccff','×2'),('#cc99ff','×3')]
b=''
for k,(c,sym) in enumerate(cards):
    y=80+26*k
    b += rrect(9,y,17,24,3,c,'#003366',1) + text(17.5,y+16,sym,10 if len(sym)>1 else 12,'#003366')
# The verse is drawn in the yellow title font: on a dark plate, clear of the line at y 56
# to its left.
b += rrect(322,30,100,80,10,DEEP,'#cc9933',2)
page(5,b,'Help 6: the bonus cards, one beside each line; a verse on the right',heading=True)

# ---- diploma pictures: drawn centred, at most 163 high -------------------------------------------------
def diploma(code, words, size=40, centre=250):
    b = '<g transform="translate(60 75)">'
    b += '<path d="M-30 -50 h60 v20 q0 40 -30 46 q-30 -6 -30 -46 z" fill="#ffcc00" stroke="#cc9933" stroke-width="3"/>'
    b += '<rect x="-8" y="-4" width="16" height="24" fill="#ffcc00" stroke="#cc9933" stroke-width="2"/><rect x="-22" y="20" width="44" height="10" rx="3" fill="#cc9933"/>'
    b += '<path d="M-30 -42 q-18 0 -16 16 q2 12 16 14 M30 -42 q18 0 16 16 q-2 12 -16 14" stroke="#cc9933" stroke-width="4" fill="none"/></g>'
    b += text(centre,70,words[0],size,'#cc3333',extra='stroke="#003366" stroke-width="1"')
    b += text(250,116,words[1],22,'#003366',weight='normal')
    for x,y in [(130,20),(380,24),(420,120),(140,130)]:
        b += f'<path d="M{x} {y-8} l2 6 h6 l-5 4 l2 6 l-5 -4 l-5 4 l2 -6 l-5 -4 h6 z" fill="#ffcc00"/>'
    write('game',f'uwin_{code}.svg',svg(440,150,b,f'Diploma picture ({code})'))
diploma('eng',('Well done!','You finished every level!'))
# The German cheer is the longest: smaller and a little to the right, clear of the trophy.
diploma('deu',('Super gemacht!','Du hast alle Level geschafft!'),size=30,centre=262)
diploma('fra',('Bravo !','Tu as fini tous les niveaux !'))

# ---- card backs: rows of eight 17x25 cards --------------------------------------------------------------
def card_sheet(rows, seed):
    import random
    r=random.Random(seed); b=''
    designs=['dots','stripes','star','check','heart','diamond','wave','plain']
    pal=[('#3399cc','#99ccff'),('#cc3333','#ff9999'),('#339933','#99cc66'),('#9966cc','#ccccff'),('#ff9933','#ffcc66'),('#006666','#66cccc'),('#cc6699','#ffccff'),('#666633','#cccc66')]
    for row in range(rows):
        for i in range(8):
            x=17*i; y=25*row; fg,bg=pal[(i+row*3)%8]; d=designs[(i*3+row)%8]
            b += rrect(x+0.5,y+0.5,16,24,3,bg,fg,1)
            if d=='dots': b += ''.join(f'<circle cx="{x+4+4*a}" cy="{y+5+5*c}" r="1.2" fill="{fg}"/>' for a in range(3) for c in range(4))
            elif d=='stripes': b += ''.join(f'<rect x="{x+2}" y="{y+3+5*c}" width="13" height="2" fill="{fg}"/>' for c in range(4))
            elif d=='star': b += text(x+8.5,y+17,'★',12,fg)
            elif d=='check': b += ''.join(f'<rect x="{x+2+4*a}" y="{y+3+4*c}" width="2" height="2" fill="{fg}"/>' for a in range(4) for c in range(5) if (a+c)%2==0)
            elif d=='heart': b += text(x+8.5,y+17,'♥',12,fg)
            elif d=='diamond': b += f'<path d="M{x+8.5} {y+4} l5 8.5 l-5 8.5 l-5 -8.5 z" fill="{fg}"/>'
            elif d=='wave': b += ''.join(f'<path d="M{x+2} {y+6+6*c} q3 -3 6 0 t6 0" stroke="{fg}" fill="none" stroke-width="1.5"/>' for c in range(3))
            else: b += rrect(x+3,y+3,11,19,2,fg)
    return b
write('scenes','cards1.svg',svg(136,50,card_sheet(2,1),'Cards covering hidden letters: rows of eight 17x25 cards'))
write('scenes','cards2.svg',svg(136,25,card_sheet(1,2),'More card designs'))

# ---- the save and load room's pictures -------------------------------------------------------------------
# The room's own picture carries the library's name; slots of 128x88 at (36 + 136 (i mod 4),
# 70 + 110 (i div 4)) and buttons of 96x48 at (36 + 110 k, 310), as the room lays them out.
b = '<rect width="600" height="400" fill="#336699"/>' + rrect(20,8,560,384,18,'#ffffee','#003366',4)
b += rrect(36,16,528,40,10,'#99ccff')
for i in range(8):
    x=36+136*(i%4); y=70+110*(i//4)
    b += rrect(x-2,y-2,132,92,10,'#003366') + rrect(x,y,128,88,8,'#ffffff')
for k,c in enumerate(['#66cc66','#99ccff','#99ccff','#ff9999','#ffcc66']):
    b += plate(36+110*k,310,96,48,c,'#003366')
write('ldsv_gfx','ldsv_gfx.svg',svg(600,400,b,'Save and load room: eight slots and the buttons below them'))
b=''
for f,(fill,edge) in enumerate([('#3399cc','#003366'),('#99ccff','#336699')]):
    b += rrect(1,1+50*f,94,46,8,fill,edge,2)
write('ldsv_gfx','ldsvbtns.svg',svg(96,100,b,'A button, pressed and released'))
