object Form: TForm
  object G: TShape
    Left = 10
    Top = 10
    Width = 50
    Height = 20
  end
  object P1: TPanel
    Left = 100
    Top = 10
    Width = 120
    Height = 100
    BevelOuter = bvNone
    Caption = ''
    object P2: TPanel
      Left = 10
      Top = 10
      Width = 80
      Height = 60
      BevelOuter = bvNone
      Caption = ''
      object G2: TShape
        Left = 5
        Top = 5
        Width = 30
        Height = 20
      end
    end
  end
  object W1: TPanel
    Left = 250
    Top = 10
    Width = 60
    Height = 60
    BevelOuter = bvNone
    Caption = ''
  end
  object W2: TPanel
    Left = 280
    Top = 40
    Width = 60
    Height = 60
    BevelOuter = bvNone
    Caption = ''
  end
  object Under: TShape
    Left = 250
    Top = 10
    Width = 20
    Height = 20
  end
end
