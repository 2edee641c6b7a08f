# SPDX-License-Identifier: CC-BY-SA-4.0
from common import *
KEY='none'  # transparent areas stay empty (alpha 0) and become the key colour

# ---- comgfx: score digits, score box, speed icons, popup frames, bonus cards ---------------
b=''
for d in range(10):
    x=19*d
    b += rrect(x,0,19,24,3,'#003366') + text(x+9.5,20,str(d),20,'#ffff66')
    # rolling form: the digit sliding up with the next one coming in
    b += f'<svg x="{x}" y="24" width="19" height="24">' + rrect(0,0,19,24,3,'#003366')
    b += text(9.5,8,str(d),20,'#ffff66') + text(9.5,32,str((d+1)%10),20,'#ffff66') + '<rect y="11" width="19" height="2" fill="#6699cc"/></svg>'
b += rrect(0,48,118,28,6,'#003366','#6699cc',2)
for i in range(3):
    for cur in (0,1):
        x=18+18*i+54*cur; y=106
        b += rrect(x+1,y+1,16,16,4,'#ffcc00' if cur else '#cccccc','#003366',1)
        for k in range(i+1):
            b += f'<path d="M{x+4+4*k} {y+5} l4 4 l-4 4" stroke="#003366" stroke-width="2" fill="none"/>'
for s,(fill,edge) in enumerate([('#ffffcc','#cc9933'),('#ccffcc','#339933'),('#cce6ff','#336699')]):
    b += rrect(128,107+22*s,61,20,8,fill,edge,2)
cards=[('#ffcc00','★'),('#ff9999','♥'),('#ffccff','☺'),('#99ffcc','↻'),('#99ccff','×2'),('#cc99ff','×3')]
for k,(c,sym) in enumerate(cards):
    for f in range(3):
        x=17*k; y=124+25*f
        glow=['#ffffff','#ffffcc','#ffff99'][f]
        b += rrect(x+0.5,y+0.5,16,24,3,c,'#003366',1)
        b += f'<rect x="{x+2}" y="{y+2+6*f}" width="13" height="4" fill="{glow}" opacity="0.7"/>'
        b += text(x+8.5,y+17,sym,10 if len(sym)>1 else 12,'#003366')
write('game','comgfx.svg',svg(192,200,b,'Shared play pictures at the coordinates the play and start rooms copy from'))

# ---- logos: ten 22-pixel bands -------------------------------------------------------------------
b=''
cols=[('#cc3333','#ffcc00'),('#3366cc','#ffffff'),('#339933','#ffff99'),('#9933cc','#ffccff'),('#ff6600','#ffffcc'),
      ('#006699','#99ffff'),('#cc0066','#ffffff'),('#666600','#ffff66'),('#003366','#ff9933'),('#993300','#ffcc99')]
for i,(bg,fg) in enumerate(cols):
    y=22*i
    b += rrect(0,y+1,110,20,10,bg) + text(55,y+16,'Quill-Rush',13,fg)
write('game','logos.svg',svg(110,220,b,'Ten logo bands, one drawn at random on each level'))

# ---- letmesh: the net over a letter that was taken back -------------------------------------------
b=''
for i in range(-62,46,8):
    b += f'<path d="M{i} 0 l62 62 M{i+62} 0 l-62 62" stroke="#663300" stroke-width="2"/>'
write('game','letmesh.svg',svg(46,62,b,'A net laid over the letter card'))

# ---- frame-set strips ------------------------------------------------------------------------------
def note(x,y,on):
    c='#ffcc00' if on else '#999999'
    s=rrect(x,y,22,20,5,'#003366' if on else '#666666')
    s+=f'<path d="M{x+8} {y+15} v-10 l8 -2 v10" stroke="{c}" stroke-width="2" fill="none"/><circle cx="{x+7}" cy="{y+15}" r="2.5" fill="{c}"/><circle cx="{x+15}" cy="{y+13}" r="2.5" fill="{c}"/>'
    if not on: s+=f'<path d="M{x+3} {y+3} l16 14" stroke="#cc3333" stroke-width="2"/>'
    return s
write('game','musicbtn.svg',svg(22,40,note(0,0,False)+note(0,20,True),'Music switch: off, on'))
def speaker(x,y,on):
    c='#ffcc00' if on else '#999999'
    s=rrect(x,y,22,20,5,'#003366' if on else '#666666')
    s+=f'<path d="M{x+4} {y+8} h4 l5 -4 v12 l-5 -4 h-4 z" fill="{c}"/>'
    if on: s+=f'<path d="M{x+15} {y+6} q3 4 0 8 M{x+17} {y+4} q5 6 0 12" stroke="{c}" stroke-width="1.5" fill="none"/>'
    else: s+=f'<path d="M{x+15} {y+7} l5 6 M{x+20} {y+7} l-5 6" stroke="#cc3333" stroke-width="2"/>'
    return s
write('game','soundbtn.svg',svg(22,40,speaker(0,0,False)+speaker(0,20,True),'Sound switch: off, on'))
b=''
for f,lit in enumerate(['green','yellow','red']):
    y=48*f
    b += rrect(0,y,20,48,5,'#222222')
    for k,(name,on,off) in enumerate([('red','#ff3333','#551111'),('yellow','#ffcc00','#554400'),('green','#33ff66','#115522')]):
        b += f'<circle cx="10" cy="{y+8+16*k}" r="6" fill="{on if name==lit else off}"/>'
write('game','traffic.svg',svg(20,144,b,'Traffic light: green lit (play), yellow lit (pause), red lit (stop)'))
b=''
for f,(t,c) in enumerate([('×1','#cccccc'),('×2','#99ccff'),('×3','#ff9933')]):
    b += f'<circle cx="12" cy="{24*f+12}" r="11" fill="{c}" stroke="#003366" stroke-width="2"/>' + text(12,24*f+17,t,12,'#003366')
write('game','multi.svg',svg(24,72,b,'Score multiplier: x1, x2, x3'))
b = rrect(4,2,39,4,2,'#cccccc') + rrect(0,8,47,8,4,'#ff9933') + f'<path d="M18 16 l5 -6 l5 6 z" fill="#cc3333"/>'
write('game','initcur.svg',svg(47,16,b,'Mark under an initial: plain, the next one typed'))

# ---- page buttons and the module marker ---------------------------------------------------------------
b=''
for f,(fill,edge,arrow) in enumerate([('#3399cc','#003366','#ffffff'),('#99ccff','#336699','#003366'),('#dddddd','#aaaaaa','#aaaaaa')]):
    y=34*f
    for side in (0,1):
        x=40*side
        b += rrect(x+1,y+1,38,32,8,fill,edge,2)
        b += (f'<path d="M{x+25} {y+9} l-10 8 l10 8 z" fill="{arrow}"/>' if side==0 else f'<path d="M{x+15} {y+9} l10 8 l-10 8 z" fill="{arrow}"/>')
write('game','pagebtns.svg',svg(80,102,b,'Page buttons, previous and next, in three states: pressed, usable, greyed'))
b=''
for f in range(4):
    y=30*f; dx=[0,2,4,2][f]
    b += f'<path d="M{2+dx} {y+9} h10 v-5 l10 11 l-10 11 v-5 h-10 z" fill="#ff9933" stroke="#cc3333" stroke-width="1.5"/>'
write('game','chase.svg',svg(24,120,b,'Marker of the module under the mouse, four phases'))

# ---- title pieces -------------------------------------------------------------------------------------
letters='QUILLRUSH'
def title_sheet(colours, outline):
    # The room shows only what the mask covers: the highlighted row lights the letter itself
    # (a bright fill inside its own colour) rather than the cell around it.
    b=''
    for row,glow in enumerate([False,True]):
        for i,ch in enumerate(letters):
            x=63*i; y=87*row; c=colours[i%len(colours)]
            fill, edge = ('#ffff33', c) if glow else (c, outline)
            b += text(x+31.5,y+68,ch,66,fill,extra=f'stroke="{edge}" stroke-width="3" paint-order="stroke"')
    return b
write('game','titlegfx.svg',svg(567,174,title_sheet(['#cc3333','#ff9933','#ffcc00','#33cc66','#3399cc','#9966cc'],'#003366'),
      'Title letters Q U I L L R U S H, 63x87 each: plain row, highlighted row'))
write('game','titlegf2.svg',svg(567,174,title_sheet(['#3399cc','#33cccc','#66cc33','#ffcc00','#ff9933','#ff6699'],'#333366'),
      'Second colouring of the title letters'))
b='<rect width="567" height="87" fill="#000000"/>'
for i,ch in enumerate(letters): b += text(63*i+31.5,68,ch,66,'#ffffff',extra='stroke="#ffffff" stroke-width="3"')
write('game','qrttlmsk.svg',svg(567,87,b,'Letter mask: white where a title letter covers its cell'))
b = ('<path d="M50 4 C34 8 22 20 16 34 L20 36 C28 24 38 14 50 4 Z" fill="#ffcc00" stroke="#cc6600" stroke-width="2"/>'
     '<path d="M48 6 L18 35" stroke="#cc6600" stroke-width="1.5"/>'
     '<path d="M2 30 h10 M0 36 h8 M4 24 h8" stroke="#ffffff" stroke-width="2.5" stroke-linecap="round"/>'
     '<circle cx="16" cy="37" r="2" fill="#003366"/>')
write('game','titlefly.svg',svg(56,40,b,'The quill that flies over the title and uncovers its letters'))
b = ('<rect x="1" y="0" width="1" height="9" fill="#ffffcc"/><rect x="0" y="3" width="3" height="3" fill="#ffff66"/>'
     '<rect x="3" y="7" width="9" height="1" fill="#ffffcc"/><rect x="6" y="6" width="3" height="3" fill="#ffff66"/>')
write('game','sparkle.svg',svg(12,9,b,'Sparkles: a vertical one (0,0,3,9) and a horizontal one (3,6,12,9)'))

# ---- tiles ---------------------------------------------------------------------------------------------
def tile(n,b,c): write('game',f'tile{n}.svg',svg(64,64,b,c))
tile(1,'<rect width="64" height="64" fill="#336699"/>'+''.join(f'<circle cx="{x}" cy="{y}" r="5" fill="#3366cc"/>' for x,y in [(16,16),(48,48)]),'Blue dots')
tile(2,'<rect width="64" height="64" fill="#339966"/><path d="M0 16 h64 M0 48 h64" stroke="#33cc66" stroke-width="8"/>','Green stripes')
tile(3,'<rect width="64" height="64" fill="#663399"/><path d="M32 12 l5 12 h13 l-10 8 l4 13 l-12 -8 l-12 8 l4 -13 l-10 -8 h13 z" fill="#9966cc"/>','Purple stars')
tile(4,'<rect width="64" height="64" fill="#cc6633"/><rect width="32" height="32" fill="#cc9966"/><rect x="32" y="32" width="32" height="32" fill="#cc9966"/>','Orange checks')
tile(5,'<rect width="64" height="64" fill="#006699"/><path d="M0 32 q16 -16 32 0 t32 0" stroke="#3399cc" stroke-width="6" fill="none"/>','Waves')

# ---- life figures: six figures down, six poses across, 19x39 each ------------------------------------
colours=['#cc3333','#3399cc','#33cc66','#ff9933','#9966cc','#ff6699']
b=''
for fig,c in enumerate(colours):
    for pose in range(6):
        x=19*pose; y=39*fig
        arm=[(-6,-4),(-6,6),(-2,-10),(-7,3),(-6,-8),(0,6)][pose]
        leg=[(0,0),(2,-2),(-2,2),(3,0),(0,3),(-3,-1)][pose]
        b += f'<g transform="translate({x+9.5} {y})">'
        b += f'<circle cx="0" cy="8" r="6" fill="#ffcc99" stroke="#663300" stroke-width="1"/>'
        b += f'<circle cx="-2" cy="7" r="1" fill="#000"/><circle cx="2" cy="7" r="1" fill="#000"/><path d="M-2 10 q2 2 4 0" stroke="#000" fill="none" stroke-width="0.8"/>'
        b += f'<path d="M-6 3 q6 -6 12 0" fill="{c}"/>'
        b += rrect(-4,14,8,12,2,c)
        b += f'<path d="M-4 16 l{arm[0]} {arm[1]} M4 16 l{-arm[0]} {arm[1]}" stroke="{c}" stroke-width="2.5" stroke-linecap="round"/>'
        b += f'<path d="M-2 26 l{-2+leg[0]} 11 M2 26 l{2+leg[1]} 11" stroke="#333366" stroke-width="2.5" stroke-linecap="round"/>'
        b += '</g>'
write('game','lives.svg',svg(114,234,b,'Life figures: six figures (rows) in six poses (columns), 19x39 each'))
