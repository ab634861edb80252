object Form1: TForm1
  Ctl3DX = False
  Caption = 'Kept'
  object Edit1: TEdit
    Left = 8
    BorderStyle = bsWobbly
    Font.Wobble = 3
    OnChange = NoSuchMethod
    Text = 'kept too'
  end
end
